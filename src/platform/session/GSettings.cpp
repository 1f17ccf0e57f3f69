#include "platform/session/GSettings.h"

// GLib's headers use `signals` as a name; Qt's keyword macro must not apply.
#undef signals
#include <gio/gio.h>

#include <memory>
#include <vector>

namespace vellaro {

namespace {

struct Unref {
    void operator()(GSettingsSchema* p) const { g_settings_schema_unref(p); }
    void operator()(::GSettings* p) const { g_object_unref(p); }
    void operator()(GVariant* p) const { g_variant_unref(p); }
};
template <typename T>
using Owned = std::unique_ptr<T, Unref>;

// The key's settings object when the schema exists and holds `key` with
// the given type; null otherwise.
Owned<::GSettings> open(const QString& schema, const QString& key, const GVariantType* type) {
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (!source)
        return nullptr;
    const QByteArray schemaId = schema.toUtf8();
    Owned<GSettingsSchema> found(
        g_settings_schema_source_lookup(source, schemaId.constData(), TRUE));
    if (!found)
        return nullptr;
    const QByteArray keyName = key.toUtf8();
    if (!g_settings_schema_has_key(found.get(), keyName.constData()))
        return nullptr;
    if (type) {
        GSettingsSchemaKey* schemaKey = g_settings_schema_get_key(found.get(), keyName.constData());
        const bool matches =
            g_variant_type_equal(g_settings_schema_key_get_value_type(schemaKey), type);
        g_settings_schema_key_unref(schemaKey);
        if (!matches)
            return nullptr;
    }
    return Owned<::GSettings>(g_settings_new_full(found.get(), nullptr, nullptr));
}

std::optional<Owned<GVariant>> read(const QString& schema, const QString& key,
                                    const GVariantType* type) {
    Owned<::GSettings> settings = open(schema, key, type);
    if (!settings)
        return std::nullopt;
    return Owned<GVariant>(g_settings_get_value(settings.get(), key.toUtf8().constData()));
}

bool write(const QString& schema, const QString& key, const GVariantType* type, GVariant* value) {
    g_variant_ref_sink(value);
    Owned<GVariant> owned(value);
    Owned<::GSettings> settings = open(schema, key, type);
    if (!settings)
        return false;
    const QByteArray keyName = key.toUtf8();
    if (!g_settings_is_writable(settings.get(), keyName.constData()))
        return false;
    const bool written = g_settings_set_value(settings.get(), keyName.constData(), value);
    g_settings_sync();
    return written;
}

} // namespace

bool GSettings::hasKey(const QString& schema, const QString& key) {
    return open(schema, key, nullptr) != nullptr;
}

std::optional<QString> GSettings::string(const QString& schema, const QString& key) {
    auto value = read(schema, key, G_VARIANT_TYPE_STRING);
    if (!value)
        return std::nullopt;
    return QString::fromUtf8(g_variant_get_string(value->get(), nullptr));
}

std::optional<QStringList> GSettings::strings(const QString& schema, const QString& key) {
    auto value = read(schema, key, G_VARIANT_TYPE_STRING_ARRAY);
    if (!value)
        return std::nullopt;
    QStringList list;
    gsize count = 0;
    const gchar** items = g_variant_get_strv(value->get(), &count);
    for (gsize i = 0; i < count; ++i)
        list << QString::fromUtf8(items[i]);
    g_free(items);
    return list;
}

std::optional<bool> GSettings::boolean(const QString& schema, const QString& key) {
    auto value = read(schema, key, G_VARIANT_TYPE_BOOLEAN);
    if (!value)
        return std::nullopt;
    return g_variant_get_boolean(value->get()) != FALSE;
}

bool GSettings::setString(const QString& schema, const QString& key, const QString& value) {
    return write(schema, key, G_VARIANT_TYPE_STRING,
                 g_variant_new_string(value.toUtf8().constData()));
}

bool GSettings::setStrings(const QString& schema, const QString& key, const QStringList& value) {
    std::vector<QByteArray> utf8;
    std::vector<const gchar*> pointers;
    for (const QString& item : value)
        utf8.push_back(item.toUtf8());
    for (const QByteArray& item : utf8)
        pointers.push_back(item.constData());
    return write(schema, key, G_VARIANT_TYPE_STRING_ARRAY,
                 g_variant_new_strv(pointers.data(), gssize(pointers.size())));
}

bool GSettings::setBoolean(const QString& schema, const QString& key, bool value) {
    return write(schema, key, G_VARIANT_TYPE_BOOLEAN, g_variant_new_boolean(value));
}

} // namespace vellaro
