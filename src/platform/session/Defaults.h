#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>
#include <memory>

namespace vellaro {

// The few per-user flags kept outside the settings file (for instance
// "vellaroOnboardingCompleted"), in an INI file under the config folder.
// Keys are used verbatim. Every write reaches the file at once.
class Defaults {
public:
    // An empty path keeps the values in memory only (no usable home).
    explicit Defaults(const QString& filePath);
    ~Defaults();

    // $XDG_CONFIG_HOME/Vellaro/defaults.ini.
    static Defaults& shared();

    bool contains(const QString& key) const;
    QVariant value(const QString& key) const;
    // False when the key is absent or does not read as a Boolean.
    bool boolValue(const QString& key) const;
    void setValue(const QString& key, const QVariant& value);
    void remove(const QString& key);

private:
    std::unique_ptr<QSettings> settings_; // absent: in memory only
    QVariantHash memory_;
};

} // namespace vellaro
