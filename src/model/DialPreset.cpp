#include "model/DialPreset.h"

#include "model/JsonValues.h"

#include <QRegularExpression>

namespace vellaro {

namespace {
// Only the standard text form: 8-4-4-4-12 hexadecimal digits, no braces.
std::optional<QUuid> uuidFromText(const QString& text) {
    // Anchored whole: "$" alone would also let a trailing line break through.
    static const QRegularExpression form(QRegularExpression::anchoredPattern(QStringLiteral(
        "[0-9A-Fa-f]{8}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{12}")));
    if (!form.match(text).hasMatch())
        return std::nullopt;
    return QUuid::fromString(text);
}

QString uuidText(const QUuid& id) {
    return id.toString(QUuid::WithoutBraces).toUpper();
}

void fail(QString* error, const QString& why) {
    if (error)
        *error = why;
}
} // namespace

DialPreset DialPreset::make(const QString& name, std::vector<SectionKind> sections) {
    return {QUuid::createUuid(), name, std::move(sections)};
}

const std::vector<DialPreset>& DialPreset::builtIns() {
    using K = SectionKind;
    static const std::vector<DialPreset> presets{
        {QUuid::fromString(QStringLiteral("6B4A6E1A-0001-4000-8000-000000000001")),
         QStringLiteral("Ultimate Productivity"), standardSections()},
        {QUuid::fromString(QStringLiteral("6B4A6E1A-0001-4000-8000-000000000002")),
         QStringLiteral("Writer's Focus"),
         {K::workspaces, K::actions, K::clipboard, K::files}},
        {QUuid::fromString(QStringLiteral("6B4A6E1A-0001-4000-8000-000000000003")),
         QStringLiteral("Media & Calls"),
         {K::sound, K::windows, K::apps, K::actions, K::clipboard}},
    };
    return presets;
}

QJsonObject DialPreset::toJson() const {
    return {{QStringLiteral("id"), uuidText(id)},
            {QStringLiteral("name"), name},
            {QStringLiteral("sections"), json::fromSections(sections)}};
}

std::optional<DialPreset> DialPreset::fromJson(const QJsonValue& value, QString* error) {
    if (!value.isObject()) {
        fail(error, QStringLiteral("a preset is not an object"));
        return std::nullopt;
    }
    const QJsonObject object = value.toObject();
    const auto idText = json::toString(object.value(QStringLiteral("id")));
    const auto id = idText ? uuidFromText(*idText) : std::nullopt;
    if (!id) {
        fail(error, QStringLiteral("a preset's \"id\" is missing or not a UUID"));
        return std::nullopt;
    }
    const auto name = json::toString(object.value(QStringLiteral("name")));
    if (!name) {
        fail(error, QStringLiteral("a preset's \"name\" is missing or not a string"));
        return std::nullopt;
    }
    auto sections = json::toSections(object.value(QStringLiteral("sections")));
    if (!sections) {
        fail(error,
             QStringLiteral("a preset's \"sections\" is missing or holds an unknown section"));
        return std::nullopt;
    }
    return DialPreset{*id, *name, std::move(*sections)};
}

} // namespace vellaro
