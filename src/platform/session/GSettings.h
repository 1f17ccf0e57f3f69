#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace vellaro {

// The desktop's GSettings, read and written in process through GIO. Every
// call looks the schema and key up first (GIO stops the process on a
// missing schema) and answers "absent" or false when either is missing or
// the key has another type. Main thread.
class GSettings {
public:
    static bool hasKey(const QString& schema, const QString& key);

    static std::optional<QString> string(const QString& schema, const QString& key);
    static std::optional<QStringList> strings(const QString& schema, const QString& key);
    static std::optional<bool> boolean(const QString& schema, const QString& key);

    // Writes and flushes the value; false when it could not be written.
    static bool setString(const QString& schema, const QString& key, const QString& value);
    static bool setStrings(const QString& schema, const QString& key, const QStringList& value);
    static bool setBoolean(const QString& schema, const QString& key, bool value);
};

} // namespace vellaro
