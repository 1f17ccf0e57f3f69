#include "platform/session/Defaults.h"

#include "platform/session/IniText.h"
#include "platform/session/OwnedFile.h"
#include "platform/session/UserFolders.h"

#include <QLoggingCategory>

namespace vellaro {

namespace {
Q_LOGGING_CATEGORY(lcDefaults, "vellaro.persistence")
} // namespace

Defaults::Defaults(QString filePath) : filePath_(std::move(filePath)) {
    load();
}

Defaults& Defaults::shared() {
    static Defaults* defaults = [] {
        const QString folder = configFolder();
        return new Defaults(folder.isEmpty() ? QString()
                                             : folder + QStringLiteral("/defaults.ini"));
    }();
    return *defaults;
}

void Defaults::load() {
    if (filePath_.isEmpty())
        return;
    const OwnedFile::ReadResult file = OwnedFile::read(filePath_, maximumSize);
    if (file.status == OwnedFile::ReadStatus::missing)
        return;
    QString error = file.error;
    std::optional<QVariantMap> values;
    if (file.status == OwnedFile::ReadStatus::ok)
        values = IniText::decode(file.data, &error);
    if (!values) {
        // Still the user's flags: kept for them rather than overwritten.
        qCWarning(lcDefaults).noquote()
            << "defaults.ini cannot be used (" + error +
                   "); the defaults are in use; it will be moved aside before the first save";
        moveAsideBeforeWrite_ = true;
        return;
    }
    // A value of a type this build does not know cannot be written back.
    values->removeIf([](const auto& entry) { return !entry.value().isValid(); });
    values_ = std::move(*values);
}

bool Defaults::save() {
    if (filePath_.isEmpty())
        return true;
    QString error;
    if (moveAsideBeforeWrite_ && OwnedFile::exists(filePath_)) {
        const QString aside = OwnedFile::moveAside(filePath_, &error);
        if (aside.isEmpty()) {
            qCCritical(lcDefaults).noquote()
                << "Failed to save defaults.ini: the file to keep could not be moved aside:"
                << error;
            return false;
        }
        qCWarning(lcDefaults).noquote() << "Moved the earlier defaults.ini aside to" << aside;
    }
    moveAsideBeforeWrite_ = false;
    const std::optional<QByteArray> text = IniText::encode(values_, &error);
    if (text && OwnedFile::write(filePath_, *text, maximumSize, &error))
        return true;
    qCCritical(lcDefaults).noquote() << "Failed to save defaults.ini:" << error;
    return false;
}

bool Defaults::contains(const QString& key) const {
    return values_.contains(key);
}

QVariant Defaults::value(const QString& key) const {
    return values_.value(key);
}

bool Defaults::boolValue(const QString& key) const {
    const QVariant stored = value(key);
    // INI files hand Booleans back as text.
    if (stored.typeId() == QMetaType::QString) {
        const QString text = stored.toString().toLower();
        return text == QLatin1String("true") || text == QLatin1String("yes") ||
               text == QLatin1String("1");
    }
    return stored.canConvert<bool>() && stored.toBool();
}

bool Defaults::setValue(const QString& key, const QVariant& value) {
    values_.insert(key, value);
    return save();
}

bool Defaults::remove(const QString& key) {
    return values_.remove(key) == 0 || save();
}

} // namespace vellaro
