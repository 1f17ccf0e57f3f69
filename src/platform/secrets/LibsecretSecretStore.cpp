#include "platform/secrets/LibsecretSecretStore.h"

#include "platform/secrets/Logging.h"

#include <QDeadlineTimer>
#include <libsecret/secret.h>

#include <algorithm>
#include <functional>

namespace vellaro {

namespace {

using Status = SecretStore::Status;

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

// What a call left behind: its result, once it completed.
struct Completion {
    GAsyncResult* result = nullptr;
};

void complete(GObject*, GAsyncResult* result, gpointer data) {
    static_cast<Completion*>(data)->result = G_ASYNC_RESULT(g_object_ref(result));
}

// Runs asynchronous libsecret calls one after another on a main context of
// this thread's own, each waited for until a shared deadline. A call still
// running then is cancelled; one that does not complete even so (libsecret
// can lose a cancelled call) is abandoned with its context, which nothing
// runs again, so its late completion can touch nothing.
class BoundedCalls {
public:
    using Start = std::function<void(GCancellable*, GAsyncReadyCallback, gpointer)>;

    explicit BoundedCalls(std::chrono::milliseconds timeout)
        : deadline_(timeout), context_(g_main_context_new()) {
        g_main_context_push_thread_default(context_);
    }
    ~BoundedCalls() {
        g_main_context_pop_thread_default(context_);
        if (!abandoned_)
            g_main_context_unref(context_);
    }
    BoundedCalls(const BoundedCalls&) = delete;
    BoundedCalls& operator=(const BoundedCalls&) = delete;

    // The completed call's result (owned by the caller), or none when it
    // ran out of time; `timedOut()` tells then.
    GAsyncResult* run(const Start& start) {
        if (abandoned_ || deadline_.hasExpired()) {
            timedOut_ = true;
            return nullptr;
        }
        auto* completion = new Completion;
        GCancellable* cancellable = g_cancellable_new();
        start(cancellable, &complete, completion);
        iterateUntil(*completion, deadline_);
        if (!completion->result) {
            timedOut_ = true;
            g_cancellable_cancel(cancellable);
            iterateUntil(*completion, QDeadlineTimer(cancelGrace));
        }
        if (!completion->result) {
            abandoned_ = true; // the completion and the cancellable stay with the call
            return nullptr;
        }
        g_object_unref(cancellable);
        GAsyncResult* result = completion->result;
        delete completion;
        return result;
    }
    bool timedOut() const { return timedOut_; }

private:
    static constexpr std::chrono::milliseconds cancelGrace{200};

    void iterateUntil(const Completion& completion, const QDeadlineTimer& deadline) {
        // A timer of the context's own wakes the wait at the deadline (and
        // again, should its clock run a little ahead of the deadline's).
        GSource* alarm = g_timeout_source_new(guint(std::max<qint64>(1, deadline.remainingTime())));
        g_source_set_callback(
            alarm, [](gpointer) { return gboolean(G_SOURCE_CONTINUE); }, nullptr, nullptr);
        g_source_attach(alarm, context_);
        while (!completion.result && !deadline.hasExpired())
            g_main_context_iteration(context_, TRUE);
        g_source_destroy(alarm);
        g_source_unref(alarm);
    }

    QDeadlineTimer deadline_;
    GMainContext* context_;
    bool timedOut_ = false;
    bool abandoned_ = false;
};

// Every failure to reach the service, as opposed to an answer it gave.
bool unreachable(const GError* error) {
    if (g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED) ||
        g_error_matches(error, G_IO_ERROR, G_IO_ERROR_TIMED_OUT) ||
        g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CLOSED) ||
        g_error_matches(error, G_IO_ERROR, G_IO_ERROR_NOT_FOUND))
        return true;
    if (error->domain != G_DBUS_ERROR)
        return false;
    switch (error->code) {
    case G_DBUS_ERROR_SERVICE_UNKNOWN:
    case G_DBUS_ERROR_NAME_HAS_NO_OWNER:
    case G_DBUS_ERROR_NO_REPLY:
    case G_DBUS_ERROR_TIMEOUT:
    case G_DBUS_ERROR_TIMED_OUT:
    case G_DBUS_ERROR_NO_SERVER:
    case G_DBUS_ERROR_DISCONNECTED:
    case G_DBUS_ERROR_SPAWN_EXEC_FAILED:
    case G_DBUS_ERROR_SPAWN_FORK_FAILED:
    case G_DBUS_ERROR_SPAWN_CHILD_EXITED:
    case G_DBUS_ERROR_SPAWN_CHILD_SIGNALED:
    case G_DBUS_ERROR_SPAWN_FAILED:
    case G_DBUS_ERROR_SPAWN_SETUP_FAILED:
    case G_DBUS_ERROR_SPAWN_CONFIG_INVALID:
    case G_DBUS_ERROR_SPAWN_SERVICE_INVALID:
    case G_DBUS_ERROR_SPAWN_SERVICE_NOT_FOUND:
    case G_DBUS_ERROR_SPAWN_PERMISSIONS_INVALID:
    case G_DBUS_ERROR_SPAWN_FILE_INVALID:
    case G_DBUS_ERROR_SPAWN_NO_MEMORY:
        return true;
    default:
        return false;
    }
}

// Logs a failed call and tells which failure it was.
Status failure(const char* what, GError* error, const BoundedCalls& calls) {
    Status status = Status::unreachable;
    QString message = QStringLiteral("no answer in time");
    if (error && !calls.timedOut()) {
        status = unreachable(error) ? Status::unreachable : Status::unavailable;
        message = QString::fromUtf8(error->message);
    }
    g_clear_error(&error);
    qCWarning(lcSecrets).noquote() << "Secret service" << what << "failed:" << message;
    return status;
}

// The service with a session for secrets, through libsecret's shared proxy.
SecretService* connectService(BoundedCalls& calls, GError** error) {
    GAsyncResult* result =
        calls.run([](GCancellable* cancellable, GAsyncReadyCallback done, gpointer data) {
            secret_service_get(SECRET_SERVICE_OPEN_SESSION, cancellable, done, data);
        });
    if (!result)
        return nullptr;
    SecretService* service = secret_service_get_finish(result, error);
    g_object_unref(result);
    return service;
}

} // namespace

LibsecretSecretStore::LibsecretSecretStore(QString service, QString account, QString label,
                                           std::chrono::milliseconds timeout)
    : service_(std::move(service)), account_(std::move(account)), label_(std::move(label)),
      timeout_(timeout) {}

SecretStore::Result LibsecretSecretStore::lookup() {
    BoundedCalls calls(timeout_);
    GError* error = nullptr;
    SecretService* service = connectService(calls, &error);
    if (!service)
        return {failure("lookup", error, calls), {}};
    const QByteArray serviceName = service_.toUtf8();
    const QByteArray account = account_.toUtf8();
    GHashTable* attributes = secret_attributes_build(schema(), "service", serviceName.constData(),
                                                     "account", account.constData(), nullptr);
    // Locked items are found too, without their secrets: nothing is unlocked.
    GAsyncResult* result =
        calls.run([&](GCancellable* cancellable, GAsyncReadyCallback done, gpointer data) {
            secret_service_search(service, schema(), attributes,
                                  SecretSearchFlags(SECRET_SEARCH_ALL | SECRET_SEARCH_LOAD_SECRETS),
                                  cancellable, done, data);
        });
    g_hash_table_unref(attributes);
    GList* items = result ? secret_service_search_finish(service, result, &error) : nullptr;
    if (result)
        g_object_unref(result);
    Result answer{Status::notFound, {}};
    if (!result || error) {
        answer.status = failure("lookup", error, calls);
    } else {
        for (GList* item = items; item; item = item->next) {
            auto* secretItem = SECRET_ITEM(item->data);
            SecretValue* value = secret_item_get_secret(secretItem);
            if (value) {
                gsize length = 0;
                const gchar* data = secret_value_get(value, &length);
                answer = {Status::found, QByteArray(data, qsizetype(length))};
                secret_value_unref(value);
                break;
            }
            if (secret_item_get_locked(secretItem))
                answer.status = Status::locked;
        }
    }
    g_list_free_full(items, g_object_unref);
    g_object_unref(service);
    return answer;
}

SecretStore::Result LibsecretSecretStore::add(const QByteArray& secret) {
    BoundedCalls calls(timeout_);
    GError* error = nullptr;
    SecretService* service = connectService(calls, &error);
    if (!service)
        return {failure("store", error, calls), {}};
    // Storing into a locked collection would ask the person to unlock it.
    GAsyncResult* result =
        calls.run([&](GCancellable* cancellable, GAsyncReadyCallback done, gpointer data) {
            secret_collection_for_alias(service, SECRET_COLLECTION_DEFAULT, SECRET_COLLECTION_NONE,
                                        cancellable, done, data);
        });
    SecretCollection* collection =
        result ? secret_collection_for_alias_finish(result, &error) : nullptr;
    if (result)
        g_object_unref(result);
    if (!result || error) {
        g_object_unref(service);
        return {failure("store", error, calls), {}};
    }
    const bool locked = collection && secret_collection_get_locked(collection);
    if (collection)
        g_object_unref(collection);
    if (locked) {
        g_object_unref(service);
        return {Status::locked, {}};
    }
    const QByteArray serviceName = service_.toUtf8();
    const QByteArray account = account_.toUtf8();
    const QByteArray label = label_.toUtf8();
    GHashTable* attributes = secret_attributes_build(schema(), "service", serviceName.constData(),
                                                     "account", account.constData(), nullptr);
    SecretValue* value =
        secret_value_new(secret.constData(), secret.size(), "application/octet-stream");
    result = calls.run([&](GCancellable* cancellable, GAsyncReadyCallback done, gpointer data) {
        secret_service_store(service, schema(), attributes, SECRET_COLLECTION_DEFAULT,
                             label.constData(), value, cancellable, done, data);
    });
    g_hash_table_unref(attributes);
    secret_value_unref(value);
    const bool stored = result && secret_service_store_finish(service, result, &error);
    if (result)
        g_object_unref(result);
    g_object_unref(service);
    if (!stored)
        return {failure("store", error, calls), {}};
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
