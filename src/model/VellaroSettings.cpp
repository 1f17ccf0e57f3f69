#include "model/VellaroSettings.h"

#include "model/JsonValues.h"

#include <QJsonArray>
#include <algorithm>
#include <cmath>

namespace vellaro {

namespace {

std::optional<RGBAColor> colorFromJson(const QJsonValue& value) {
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    const auto r = json::toDouble(object.value(QLatin1String("r")));
    const auto g = json::toDouble(object.value(QLatin1String("g")));
    const auto b = json::toDouble(object.value(QLatin1String("b")));
    const auto a = json::toDouble(object.value(QLatin1String("a")));
    if (!r || !g || !b || !a)
        return std::nullopt;
    return RGBAColor{*r, *g, *b, *a};
}

QJsonObject colorToJson(const RGBAColor& color) {
    return {{QStringLiteral("r"), color.r},
            {QStringLiteral("g"), color.g},
            {QStringLiteral("b"), color.b},
            {QStringLiteral("a"), color.a}};
}

std::optional<std::vector<DialPreset>> presetsFromJson(const QJsonValue& value, QString* why) {
    if (!value.isArray())
        return std::nullopt;
    std::vector<DialPreset> presets;
    for (const QJsonValue& element : value.toArray()) {
        auto preset = DialPreset::fromJson(element, why);
        if (!preset)
            return std::nullopt;
        presets.push_back(std::move(*preset));
    }
    return presets;
}

template <typename E>
std::optional<E> enumFromJson(const QJsonValue& value) {
    return json::toEnum<E>(value);
}

// Reads the keys one after the other and stops at the first bad value, so a
// rejected object never leaves a field half-decoded.
class FieldReader {
public:
    explicit FieldReader(const QJsonObject& object) : object_(object) {}

    template <typename T, typename Read>
    FieldReader& read(const char* key, T& field, Read reader) {
        if (!error_.isEmpty())
            return *this;
        const QJsonValue value = object_.value(QLatin1String(key));
        if (value.isUndefined() || value.isNull())
            return *this; // absent or null: the field keeps its default
        QString why;
        std::optional<T> parsed;
        if constexpr (std::is_invocable_v<Read, const QJsonValue&, QString*>)
            parsed = reader(value, &why);
        else
            parsed = reader(value);
        if (!parsed) {
            error_ = QStringLiteral("\"%1\" has a value it cannot hold").arg(QLatin1String(key));
            if (!why.isEmpty())
                error_ += QStringLiteral(": ") + why;
        } else {
            field = std::move(*parsed);
        }
        return *this;
    }

    const QString& error() const { return error_; }

private:
    const QJsonObject& object_;
    QString error_;
};

double finiteWithin(double value, double low, double high, double fallback) {
    if (!std::isfinite(value))
        return fallback;
    return std::clamp(value, low, high);
}

constexpr double longestDelayMS = 10000;

} // namespace

const QStringList& VellaroSettings::keys() {
    static const QStringList list{
        QStringLiteral("version"),
        QStringLiteral("hotKeyCode"),
        QStringLiteral("hotKeyModifiers"),
        QStringLiteral("hotKeyDisplay"),
        QStringLiteral("mouseTriggerButton"),
        QStringLiteral("theme"),
        QStringLiteral("material"),
        QStringLiteral("customBase"),
        QStringLiteral("customAccent"),
        QStringLiteral("scale"),
        QStringLiteral("dialBrightness"),
        QStringLiteral("arrangement"),
        QStringLiteral("customSections"),
        QStringLiteral("userPresets"),
        QStringLiteral("actionOrder"),
        QStringLiteral("hiddenActions"),
        QStringLiteral("hoverDelayMS"),
        QStringLiteral("gestureHoldMS"),
        QStringLiteral("submenuOpen"),
        QStringLiteral("clipboardRetention"),
        QStringLiteral("clipboardExcluded"),
        QStringLiteral("showLabels"),
        QStringLiteral("hapticsEnabled"),
        QStringLiteral("forceOpaque"),
    };
    return list;
}

std::optional<VellaroSettings> VellaroSettings::fromJson(const QJsonObject& object,
                                                         QString* error) {
    VellaroSettings s;
    FieldReader reader(object);
    reader.read("version", s.version, json::toInt64)
        .read("hotKeyCode", s.hotKeyCode, json::toUInt32)
        .read("hotKeyModifiers", s.hotKeyModifiers, json::toUInt32)
        .read("hotKeyDisplay", s.hotKeyDisplay, json::toString)
        .read("mouseTriggerButton", s.mouseTriggerButton, json::toInt64)
        .read("theme", s.theme, enumFromJson<ThemeChoice>)
        .read("material", s.material, enumFromJson<MaterialChoice>)
        .read("customBase", s.customBase, colorFromJson)
        .read("customAccent", s.customAccent, colorFromJson)
        .read("scale", s.scale, enumFromJson<MenuScale>)
        .read("dialBrightness", s.dialBrightness, json::toDouble)
        .read("arrangement", s.arrangement, enumFromJson<DialArrangement>)
        .read("customSections", s.customSections, json::toSections)
        .read("userPresets", s.userPresets, presetsFromJson)
        .read("actionOrder", s.actionOrder, json::toStringList)
        .read("hiddenActions", s.hiddenActions, json::toStringList)
        .read("hoverDelayMS", s.hoverDelayMS, json::toDouble)
        .read("gestureHoldMS", s.gestureHoldMS, json::toDouble)
        .read("submenuOpen", s.submenuOpen, enumFromJson<SubmenuOpenMode>)
        .read("clipboardRetention", s.clipboardRetention, json::toInt64)
        .read("clipboardExcluded", s.clipboardExcluded, json::toStringList)
        .read("showLabels", s.showLabels, json::toBool)
        .read("hapticsEnabled", s.hapticsEnabled, json::toBool)
        .read("forceOpaque", s.forceOpaque, json::toBool);
    if (!reader.error().isEmpty()) {
        if (error)
            *error = reader.error();
        return std::nullopt;
    }
    return s;
}

std::optional<QJsonObject> VellaroSettings::toJson(QString* error) const {
    const std::pair<const char*, double> numbers[] = {
        {"dialBrightness", dialBrightness}, {"hoverDelayMS", hoverDelayMS},
        {"gestureHoldMS", gestureHoldMS},   {"customBase", customBase.r},
        {"customBase", customBase.g},       {"customBase", customBase.b},
        {"customBase", customBase.a},       {"customAccent", customAccent.r},
        {"customAccent", customAccent.g},   {"customAccent", customAccent.b},
        {"customAccent", customAccent.a},
    };
    for (const auto& [key, number] : numbers) {
        if (!std::isfinite(number)) {
            if (error)
                *error = QStringLiteral("\"%1\" is not a finite number").arg(QLatin1String(key));
            return std::nullopt;
        }
    }
    QJsonArray presets;
    for (const DialPreset& preset : userPresets)
        presets.append(preset.toJson());
    return QJsonObject{
        {QStringLiteral("version"), qint64(version)},
        {QStringLiteral("hotKeyCode"), qint64(hotKeyCode)},
        {QStringLiteral("hotKeyModifiers"), qint64(hotKeyModifiers)},
        {QStringLiteral("hotKeyDisplay"), hotKeyDisplay},
        {QStringLiteral("mouseTriggerButton"), qint64(mouseTriggerButton)},
        {QStringLiteral("theme"), rawValue(theme)},
        {QStringLiteral("material"), rawValue(material)},
        {QStringLiteral("customBase"), colorToJson(customBase)},
        {QStringLiteral("customAccent"), colorToJson(customAccent)},
        {QStringLiteral("scale"), rawValue(scale)},
        {QStringLiteral("dialBrightness"), dialBrightness},
        {QStringLiteral("arrangement"), rawValue(arrangement)},
        {QStringLiteral("customSections"), json::fromSections(customSections)},
        {QStringLiteral("userPresets"), presets},
        {QStringLiteral("actionOrder"), QJsonArray::fromStringList(actionOrder)},
        {QStringLiteral("hiddenActions"), QJsonArray::fromStringList(hiddenActions)},
        {QStringLiteral("hoverDelayMS"), hoverDelayMS},
        {QStringLiteral("gestureHoldMS"), gestureHoldMS},
        {QStringLiteral("submenuOpen"), rawValue(submenuOpen)},
        {QStringLiteral("clipboardRetention"), qint64(clipboardRetention)},
        {QStringLiteral("clipboardExcluded"), QJsonArray::fromStringList(clipboardExcluded)},
        {QStringLiteral("showLabels"), showLabels},
        {QStringLiteral("hapticsEnabled"), hapticsEnabled},
        {QStringLiteral("forceOpaque"), forceOpaque},
    };
}

VellaroSettings VellaroSettings::migrated() const {
    VellaroSettings result = *this;
    if (version > 1)
        return result;
    // Version 1 stored its own default dial as a custom list of these six.
    using K = SectionKind;
    const std::vector<SectionKind> versionOneDefault{K::workspaces, K::windows,   K::apps,
                                                     K::files,      K::clipboard, K::sound};
    if (arrangement == DialArrangement::custom && customSections == versionOneDefault) {
        result.arrangement = DialArrangement::standard;
        result.customSections = standardSections();
    }
    result.version = 2;
    return result;
}

double VellaroSettings::clampedHoverDelayMS() const {
    return finiteWithin(hoverDelayMS, 0, longestDelayMS, defaultHoverDelayMS);
}

double VellaroSettings::clampedGestureHoldMS() const {
    return finiteWithin(gestureHoldMS, 0, longestDelayMS, defaultGestureHoldMS);
}

double VellaroSettings::clampedDialBrightness() const {
    return finiteWithin(dialBrightness, 0, 100, 0);
}

int VellaroSettings::clampedMouseTriggerButton() const {
    if (mouseTriggerButton < -1 || mouseTriggerButton > 31)
        return -1;
    return static_cast<int>(mouseTriggerButton);
}

} // namespace vellaro
