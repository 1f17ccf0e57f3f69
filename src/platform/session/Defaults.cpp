#include "platform/session/Defaults.h"

#include "platform/session/UserFolders.h"

namespace vellaro {

Defaults::Defaults(const QString& filePath) {
    if (!filePath.isEmpty())
        settings_ = std::make_unique<QSettings>(filePath, QSettings::IniFormat);
}

Defaults::~Defaults() = default;

Defaults& Defaults::shared() {
    static Defaults* defaults = [] {
        const QString folder = configFolder();
        return new Defaults(folder.isEmpty() ? QString()
                                             : folder + QStringLiteral("/defaults.ini"));
    }();
    return *defaults;
}

bool Defaults::contains(const QString& key) const {
    return settings_ ? settings_->contains(key) : memory_.contains(key);
}

QVariant Defaults::value(const QString& key) const {
    return settings_ ? settings_->value(key) : memory_.value(key);
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

void Defaults::setValue(const QString& key, const QVariant& value) {
    if (!settings_) {
        memory_.insert(key, value);
        return;
    }
    settings_->setValue(key, value);
    settings_->sync();
}

void Defaults::remove(const QString& key) {
    if (!settings_) {
        memory_.remove(key);
        return;
    }
    settings_->remove(key);
    settings_->sync();
}

} // namespace vellaro
