#include "platform/secrets/LibsecretSecretStore.h"

#include "platform/secrets/Logging.h"

#include <libsecret/secret.h>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace vellaro {

namespace {

// Attributes only, so command-line tools find the item by service and account.
const SecretSchema* schema() {
    static const SecretSchema value = {
        "org.vellaro.Vellaro.Key",
        SECRET_SCHEMA_DONT_MATCH_NAME,
        {{"service", SECRET_SCHEMA_ATTRIBUTE_STRING},
         {"account", SECRET_SCHEMA_ATTRIBUTE_STRING},
         {nullptr, SECRET_SCHEMA_ATTRIBUTE_STRING}},
        0,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
    };
    return &value;
}

// Cancels a blocking call that outlives its time-out.
class Deadline {
public:
    explicit Deadline(std::chrono::milliseconds timeout) : cancellable_(g_cancellable_new()) {
        watcher_ = std::thread([this, timeout] {
            std::unique_lock lock(mutex_);
            if (!done_.wait_for(lock, timeout, [this] { return finished_; }))
                g_cancellable_cancel(cancellable_);
        });
    }
    ~Deadline() {
        {
            std::lock_guard lock(mutex_);
            finished_ = true;
        }
        done_.notify_one();
        watcher_.join();
        g_object_unref(cancellable_);
    }
    GCancellable* cancellable() const { return cancellable_; }

private:
    GCancellable* cancellable_;
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::thread watcher_;
};

QString takeMessage(GError* error) {
    if (!error)
        return QStringLiteral("unknown error");
    const QString message = QString::fromUtf8(error->message);
    g_error_free(error);
    return message;
}

} // namespace

LibsecretSecretStore::LibsecretSecretStore(QString service, QString account, QString label,
                                           std::chrono::milliseconds timeout)
    : service_(std::move(service)), account_(std::move(account)), label_(std::move(label)),
      timeout_(timeout) {}

SecretStore::Result LibsecretSecretStore::lookup() {
    Deadline deadline(timeout_);
    GError* error = nullptr;
    const QByteArray service = service_.toUtf8();
    const QByteArray account = account_.toUtf8();
    SecretValue* value = secret_password_lookup_binary_sync(
        schema(), deadline.cancellable(), &error, "service", service.constData(), "account",
        account.constData(), nullptr);
    if (error) {
        qCWarning(lcSecrets).noquote() << "Secret service lookup failed:" << takeMessage(error);
        return {Status::unavailable, {}};
    }
    if (!value)
        return {Status::notFound, {}};
    gsize length = 0;
    const gchar* data = secret_value_get(value, &length);
    QByteArray secret(data, qsizetype(length));
    secret_value_unref(value);
    return {Status::found, secret};
}

SecretStore::Result LibsecretSecretStore::add(const QByteArray& secret) {
    Deadline deadline(timeout_);
    GError* error = nullptr;
    const QByteArray service = service_.toUtf8();
    const QByteArray account = account_.toUtf8();
    const QByteArray label = label_.toUtf8();
    SecretValue* value =
        secret_value_new(secret.constData(), secret.size(), "application/octet-stream");
    const gboolean stored = secret_password_store_binary_sync(
        schema(), SECRET_COLLECTION_DEFAULT, label.constData(), value, deadline.cancellable(),
        &error, "service", service.constData(), "account", account.constData(), nullptr);
    secret_value_unref(value);
    if (!stored || error) {
        qCWarning(lcSecrets).noquote() << "Secret service store failed:" << takeMessage(error);
        return {Status::unavailable, {}};
    }
    return {Status::found, secret};
}

bool LibsecretSecretStore::serviceOnBus() {
    GError* error = nullptr;
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
    if (!bus) {
        g_clear_error(&error);
        return false;
    }
    auto ask = [bus](const char* method, const char* typeSignature,
                     GVariant* parameters) -> GVariant* {
        GError* callError = nullptr;
        GVariant* reply = g_dbus_connection_call_sync(
            bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", method,
            parameters, G_VARIANT_TYPE(typeSignature), G_DBUS_CALL_FLAGS_NONE, 2000, nullptr,
            &callError);
        g_clear_error(&callError);
        return reply;
    };
    bool present = false;
    if (GVariant* reply =
            ask("NameHasOwner", "(b)", g_variant_new("(s)", "org.freedesktop.secrets"))) {
        gboolean owned = FALSE;
        g_variant_get(reply, "(b)", &owned);
        present = owned;
        g_variant_unref(reply);
    }
    if (!present) {
        if (GVariant* reply = ask("ListActivatableNames", "(as)", nullptr)) {
            GVariantIter* names = nullptr;
            g_variant_get(reply, "(as)", &names);
            const gchar* name = nullptr;
            while (g_variant_iter_loop(names, "&s", &name)) {
                if (g_strcmp0(name, "org.freedesktop.secrets") == 0)
                    present = true;
            }
            g_variant_iter_free(names);
            g_variant_unref(reply);
        }
    }
    g_object_unref(bus);
    return present;
}

} // namespace vellaro
