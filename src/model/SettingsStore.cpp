#include "model/SettingsStore.h"

#include "model/EffectiveSections.h"
#include "model/HotKeyText.h"
#include "model/Logging.h"
#include "platform/session/JsonFile.h"
#include "platform/session/Notifications.h"
#include "platform/session/OwnedFile.h"
#include "platform/session/UserFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QRegularExpression>
#include <QThread>
#include <algorithm>

namespace vellaro {

namespace {

const QString fileName = QStringLiteral("settings.json");

// Observers that keep changing the settings get this many rounds of
// notifications per change before the store stops delivering.
constexpr int maximumNotificationRounds = 8;

void checkMainThread() {
    const QCoreApplication* app = QCoreApplication::instance();
    if (app && QThread::currentThread() != app->thread())
        qCCritical(lcPersistence) << "SettingsStore used off the main thread";
}

// Optional sign, then ASCII digits only; empty when out of range.
std::optional<std::int64_t> decimalInteger(const QString& text) {
    // Anchored whole: "$" alone would also let a trailing line break through.
    static const QRegularExpression form(
        QRegularExpression::anchoredPattern(QStringLiteral("[+-]?[0-9]+")));
    if (!form.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok, 10);
    return ok ? std::optional<std::int64_t>(value) : std::nullopt;
}

bool keepsEverything(const QJsonValue& original, const QJsonValue& written);

// Writing `written` back loses nothing of `original`: every value it holds is
// there unchanged; keys it lacks or holds as null may be added.
bool keepsEverything(const QJsonObject& original, const QJsonObject& written) {
    for (auto it = original.begin(); it != original.end(); ++it) {
        if (!it.value().isNull() && !keepsEverything(it.value(), written.value(it.key())))
            return false;
    }
    return true;
}

bool keepsEverything(const QJsonValue& original, const QJsonValue& written) {
    if (original.isObject() && written.isObject())
        return keepsEverything(original.toObject(), written.toObject());
    if (original.isArray() && written.isArray()) {
        const QJsonArray before = original.toArray();
        const QJsonArray after = written.toArray();
        if (before.size() != after.size())
            return false;
        for (qsizetype i = 0; i < before.size(); ++i) {
            if (!keepsEverything(before.at(i), after.at(i)))
                return false;
        }
        return true;
    }
    return original == written;
}

template <typename List, typename Value>
void removeAll(List& list, const Value& value) {
    list.erase(std::remove(list.begin(), list.end(), value), list.end());
}

} // namespace

SettingsStore::SettingsStore(const QString& folder, Notifications& notifications, QObject* parent)
    : QObject(parent), notifications_(notifications),
      filePath_(folder.isEmpty() ? QString() : QDir(folder).filePath(fileName)) {
    load();
}

SettingsStore::~SettingsStore() = default;

SettingsStore& SettingsStore::shared() {
    // Kept for the whole process, like the hub it posts on.
    static SettingsStore* store = new SettingsStore(dataFolder(), Notifications::shared());
    return *store;
}

void SettingsStore::load() {
    if (filePath_.isEmpty()) {
        qCWarning(lcPersistence) << "No data folder (HOME is not set): settings will not be saved";
        return;
    }
    QDir().mkpath(QFileInfo(filePath_).absolutePath()); // a failure shows at the first save
    // Left by a save that was killed half-way; only one copy runs at a time.
    for (const QString& stale : OwnedFile::removeStaleTemporaries(filePath_))
        qCInfo(lcPersistence).noquote() << "Removed the unfinished save" << stale;

    const JsonFile::ReadResult read = JsonFile::read(filePath_);
    if (read.status == JsonFile::ReadStatus::missing)
        return;
    QString error = read.error;
    std::optional<VellaroSettings> decoded;
    if (read.status == JsonFile::ReadStatus::ok)
        decoded = VellaroSettings::fromJson(read.object, &error);
    if (!decoded) {
        // Whole-file rejection: defaults now, and the file is kept for the
        // user instead of being overwritten by the first change.
        qCWarning(lcPersistence).noquote()
            << "settings.json cannot be used (" + error +
                   "); starting with defaults; it will be moved aside before the first save";
        moveAsideBeforeWrite_ = true;
        return;
    }

    settings_ = decoded->migrated();
    for (auto it = read.object.begin(); it != read.object.end(); ++it) {
        if (!VellaroSettings::keys().contains(it.key()))
            unknownKeys_.insert(it.key(), it.value());
    }
    if (decoded->version > VellaroSettings::currentVersion) {
        // A newer version's file keeps its version and its unknown top-level
        // keys when written back; when even that would drop something (say a
        // new key inside a preset), the original is kept aside as well.
        const auto encoded = decoded->toJson();
        if (!encoded || !keepsEverything(read.object, withUnknownKeys(*encoded))) {
            qCWarning(lcPersistence).noquote()
                << QStringLiteral("settings.json is of a newer version (%1); it will be moved "
                                  "aside before the first save")
                       .arg(decoded->version);
            moveAsideBeforeWrite_ = true;
        }
    }
}

QJsonObject SettingsStore::withUnknownKeys(const QJsonObject& encoded) const {
    QJsonObject object = unknownKeys_;
    for (auto it = encoded.begin(); it != encoded.end(); ++it)
        object.insert(it.key(), it.value());
    return object;
}

void SettingsStore::save() {
    QString error;
    const auto encoded = settings_.toJson(&error);
    if (!encoded) {
        qCCritical(lcPersistence).noquote() << "Failed to save settings.json:" << error;
        return;
    }
    if (filePath_.isEmpty()) {
        qCCritical(lcPersistence) << "Failed to save settings.json: there is no data folder";
        return;
    }
    const QJsonObject object = withUnknownKeys(*encoded);

    if (moveAsideBeforeWrite_ && OwnedFile::exists(filePath_)) {
        const QString aside = OwnedFile::moveAside(filePath_, &error);
        if (aside.isEmpty()) {
            qCCritical(lcPersistence).noquote()
                << "Failed to save settings.json: the file to keep could not be moved aside:"
                << error;
            return;
        }
        qCWarning(lcPersistence).noquote() << "Moved the earlier settings.json aside to" << aside;
    }
    moveAsideBeforeWrite_ = false;
    if (!JsonFile::write(filePath_, object, &error))
        qCCritical(lcPersistence).noquote() << "Failed to save settings.json:" << error;
}

SettingsStore::ObserverToken SettingsStore::addObserver(Observer observer) {
    checkMainThread();
    const ObserverToken token = nextToken_++;
    observers_.add(token, std::move(observer));
    return token;
}

void SettingsStore::removeObserver(ObserverToken token) {
    observers_.remove(token);
}

void SettingsStore::update(const Edit& edit) {
    checkMainThread();
    if (editing_) {
        // An edit that changes the store again: the outer change saves and
        // notifies once, never with the record half edited.
        qCWarning(lcPersistence) << "A settings edit changed the settings store itself";
        edit(settings_);
        return;
    }
    editing_ = true;
    edit(settings_);
    editing_ = false;
    save();
    if (notifying_) {
        // Saved already; the observers hear of it after the current round.
        changedWhileNotifying_ = true;
        return;
    }
    notify();
}

void SettingsStore::notify() {
    notifying_ = true;
    int rounds = 0;
    do {
        changedWhileNotifying_ = false;
        observers_.notify();
        notifications_.post(QString::fromLatin1(settingsDidChangeNotification), this);
    } while (changedWhileNotifying_ && ++rounds < maximumNotificationRounds);
    if (changedWhileNotifying_) {
        qCWarning(lcPersistence) << "Settings observers kept changing the settings; stopped"
                                 << "notifying after" << maximumNotificationRounds << "rounds";
    }
    changedWhileNotifying_ = false;
    notifying_ = false;
}

void SettingsStore::makeArrangementCustom() {
    // Starts from what the dial shows: a stored list it does not show as it
    // stands (too short, or longer than the dial holds) would otherwise move
    // or remove sections the user cannot see.
    std::vector<SectionKind> shown = effectiveSections(settings_);
    settings_.arrangement = DialArrangement::custom;
    if (settings_.customSections != shown)
        settings_.customSections = std::move(shown);
}

void SettingsStore::setHotKey(const KeyStroke& stroke) {
    update([&](VellaroSettings& s) {
        s.hotKeyCode = stroke.keyCode;
        s.hotKeyModifiers = stroke.modifiers;
        s.hotKeyDisplay = HotKeyText::displayString(stroke);
    });
}

void SettingsStore::setMouseTriggerButton(std::int64_t button) {
    update([&](VellaroSettings& s) { s.mouseTriggerButton = button; });
}

void SettingsStore::removeMouseTrigger() {
    setMouseTriggerButton(-1);
}

void SettingsStore::setTheme(ThemeChoice theme) {
    update([&](VellaroSettings& s) { s.theme = theme; });
}

void SettingsStore::setMaterial(MaterialChoice material) {
    update([&](VellaroSettings& s) { s.material = material; });
}

void SettingsStore::setScale(MenuScale scale) {
    update([&](VellaroSettings& s) { s.scale = scale; });
}

void SettingsStore::setCustomColor(const QColor& color, RGBAColor VellaroSettings::*field) {
    const RGBAColor stored = RGBAColor::fromColor(color);
    update([&](VellaroSettings& s) { s.*field = stored; });
}

void SettingsStore::setSubmenuOpen(const QString& label) {
    const bool hover = label == QLatin1String("Hover");
    update([&](VellaroSettings& s) {
        s.submenuOpen = hover ? SubmenuOpenMode::hover : SubmenuOpenMode::click;
    });
}

void SettingsStore::setClipboardRetention(const QString& label) {
    const std::int64_t retention = decimalInteger(label).value_or(25);
    update([&](VellaroSettings& s) { s.clipboardRetention = retention; });
}

void SettingsStore::setCustomSections(const std::vector<SectionKind>& sections) {
    update([&](VellaroSettings& s) {
        s.arrangement = DialArrangement::custom;
        s.customSections = sections;
    });
}

void SettingsStore::addSection(SectionKind section, const std::vector<SectionKind>& to) {
    std::vector<SectionKind> sections = to;
    sections.push_back(section);
    setCustomSections(sections);
}

void SettingsStore::moveSection(SectionKind section, int step) {
    update([&](VellaroSettings& s) {
        makeArrangementCustom();
        auto& list = s.customSections;
        const auto found = std::find(list.begin(), list.end(), section);
        if (found == list.end())
            return;
        const auto n = static_cast<std::int64_t>(list.size());
        const std::int64_t i = found - list.begin();
        // Wraps around for any step, also one larger than the list.
        const std::int64_t j = ((i + step) % n + n) % n;
        std::swap(list[static_cast<std::size_t>(i)], list[static_cast<std::size_t>(j)]);
    });
}

void SettingsStore::removeSection(SectionKind section) {
    update([&](VellaroSettings& s) {
        makeArrangementCustom();
        removeAll(s.customSections, section);
    });
}

void SettingsStore::addPreset(const QString& name, const std::vector<SectionKind>& sections) {
    update([&](VellaroSettings& s) { s.userPresets.push_back(DialPreset::make(name, sections)); });
}

void SettingsStore::updatePreset(const QString& name, const std::vector<SectionKind>& sections) {
    update([&](VellaroSettings& s) {
        auto& presets = s.userPresets;
        const auto found = std::find_if(presets.begin(), presets.end(),
                                        [&](const DialPreset& p) { return p.name == name; });
        if (found != presets.end())
            found->sections = sections;
    });
}

void SettingsStore::setActionOrder(const QStringList& order, const QStringList& appending) {
    update([&](VellaroSettings& s) { s.actionOrder = order + appending; });
}

void SettingsStore::hideAction(const QString& identifier) {
    update([&](VellaroSettings& s) { s.hiddenActions.append(identifier); });
}

void SettingsStore::unhideAction(const QString& identifier) {
    update([&](VellaroSettings& s) { s.hiddenActions.removeAll(identifier); });
}

void SettingsStore::addClipboardExclusions(const QStringList& bundleIdentifiers) {
    update([&](VellaroSettings& s) {
        for (const QString& identifier : bundleIdentifiers) {
            if (!s.clipboardExcluded.contains(identifier))
                s.clipboardExcluded.append(identifier);
        }
    });
}

void SettingsStore::removeClipboardExclusion(const QString& bundleIdentifier) {
    update([&](VellaroSettings& s) { s.clipboardExcluded.removeAll(bundleIdentifier); });
}

} // namespace vellaro
