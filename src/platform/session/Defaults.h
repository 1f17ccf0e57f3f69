#pragma once

#include <QString>
#include <QVariant>
#include <QVariantMap>

namespace vellaro {

// The few per-user flags kept outside the settings file (for instance
// "vellaroOnboardingCompleted"), in an INI file under the config folder in
// QSettings' form. Keys are used verbatim. Every change reaches the file at
// once, replacing it whole; a file that cannot be read is kept aside before
// the first change is written, and until then the defaults are in use.
class Defaults {
public:
    static constexpr qint64 maximumSize = 1024 * 1024;

    // An empty path keeps the values in memory only (no usable home).
    explicit Defaults(QString filePath);

    // $XDG_CONFIG_HOME/Vellaro/defaults.ini.
    static Defaults& shared();

    bool contains(const QString& key) const;
    QVariant value(const QString& key) const;
    // False when the key is absent or does not read as a Boolean.
    bool boolValue(const QString& key) const;
    // Both keep the change in memory; false when it could not be saved (logged).
    bool setValue(const QString& key, const QVariant& value);
    bool remove(const QString& key);

private:
    void load();
    bool save();

    QString filePath_;
    QVariantMap values_;
    bool moveAsideBeforeWrite_ = false;
};

} // namespace vellaro
