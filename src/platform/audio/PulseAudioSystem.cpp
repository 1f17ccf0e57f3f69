#include "platform/audio/PulseAudioSystem.h"

#include "platform/time/QtScheduler.h"

#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLoggingCategory>
#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/glib-mainloop.h>
#include <pulse/introspect.h>
#include <pulse/proplist.h>
#include <pulse/subscribe.h>
#include <pulse/volume.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <map>

namespace vellaro {

namespace {

Q_LOGGING_CATEGORY(soundLog, "vellaro.sound")

using namespace std::chrono_literals;

constexpr Scheduler::Duration firstRetry = 1s;
constexpr Scheduler::Duration longestRetry = 30s;

// The server's placeholder while it has no real output.
bool isPlaceholder(const char* name) {
    return name && (qstrcmp(name, "auto_null") == 0 || qstrcmp(name, "auto_null.monitor") == 0);
}

double relativeVolume(const pa_cvolume& volume) {
    return double(pa_cvolume_max(&volume)) / PA_VOLUME_NORM;
}

QString portTypeName(const pa_sink_port_info* port) {
    if (!port)
        return {};
    switch (port->type) {
    case PA_DEVICE_PORT_TYPE_HDMI:
        return QStringLiteral("hdmi");
    case PA_DEVICE_PORT_TYPE_TV:
        return QStringLiteral("tv");
    case PA_DEVICE_PORT_TYPE_HEADPHONES:
        return QStringLiteral("headphones");
    case PA_DEVICE_PORT_TYPE_HEADSET:
        return QStringLiteral("headset");
    case PA_DEVICE_PORT_TYPE_SPEAKER:
        return QStringLiteral("speaker");
    default:
        return {};
    }
}

AudioSink sinkFrom(const pa_sink_info& info) {
    AudioSink sink;
    sink.index = info.index;
    sink.name = QString::fromUtf8(info.name);
    sink.description = QString::fromUtf8(info.description);
    sink.volume = relativeVolume(info.volume);
    sink.muted = info.mute != 0;
    sink.formFactor =
        QString::fromUtf8(pa_proplist_gets(info.proplist, PA_PROP_DEVICE_FORM_FACTOR));
    if (info.active_port) {
        sink.activePort = QString::fromUtf8(info.active_port->name);
        sink.activePortType = portTypeName(info.active_port);
    }
    return sink;
}

AudioSource sourceFrom(const pa_source_info& info) {
    AudioSource source;
    source.index = info.index;
    source.name = QString::fromUtf8(info.name);
    source.description = QString::fromUtf8(info.description);
    source.muted = info.mute != 0;
    if (info.monitor_of_sink != PA_INVALID_INDEX)
        source.monitorOfSink = info.monitor_of_sink;
    return source;
}

// The local socket a server address names, or empty for any other kind
// ("tcp:host", a bare host name, a list of addresses).
QString socketPathOf(const char* server) {
    QString address = QString::fromUtf8(server);
    if (address.startsWith(QLatin1String("unix:")))
        address.remove(0, 5);
    return address.startsWith(QLatin1Char('/')) && !address.contains(QLatin1Char(' ')) ? address
                                                                                       : QString();
}

} // namespace

// The live connection: the context, the mirror and the writes in flight.
// libpulse calls back into it through the static functions below.
struct PulseAudioSystem::Connection {
    struct SinkEntry {
        AudioSink sink;
        pa_cvolume volume; // the channels as the server has them, for scaling
    };
    // A write in flight; `cookie` is what libpulse hands back.
    enum class Reread { server, sink, source };
    struct Cookie {
        Connection* connection;
        std::uint64_t id;
    };
    struct Write {
        Completion done;
        Reread reread;
        QByteArray name;
        std::unique_ptr<Cookie> cookie;
    };

    PulseAudioSystem& owner;
    Scheduler& scheduler;
    pa_glib_mainloop* loop = nullptr;
    pa_context* context = nullptr;
    bool ready = false;
    Scheduler::Duration retryDelay = firstRetry;
    Scheduler::TaskId retryTask = 0;
    // The socket of the server we had, watched while it is away so a server
    // that comes back is reached at once rather than at the next attempt.
    QString socketPath;
    QFileSystemWatcher socketWatch;

    std::map<std::uint32_t, SinkEntry> sinks;
    std::map<std::uint32_t, AudioSource> sources;
    QString defaultSink;
    QString defaultSource;

    std::map<std::uint64_t, Write> writes;
    std::uint64_t nextWriteId = 1;

    Connection(PulseAudioSystem& owner, Scheduler& scheduler)
        : owner(owner), scheduler(scheduler), loop(pa_glib_mainloop_new(nullptr)) {
        QObject::connect(&socketWatch, &QFileSystemWatcher::directoryChanged,
                         [this] { socketFolderChanged(); });
        connect();
    }

    ~Connection() {
        if (retryTask)
            scheduler.cancel(retryTask);
        dropContext();
        pa_glib_mainloop_free(loop);
    }

    void connect() {
        pa_proplist* properties = pa_proplist_new();
        pa_proplist_sets(properties, PA_PROP_APPLICATION_NAME, "Vellaro");
        pa_proplist_sets(properties, PA_PROP_APPLICATION_ID, "org.vellaro.Vellaro");
        context =
            pa_context_new_with_proplist(pa_glib_mainloop_get_api(loop), "Vellaro", properties);
        pa_proplist_free(properties);
        if (!context) {
            scheduleReconnect();
            return;
        }
        pa_context_set_state_callback(context, &Connection::stateChanged, this);
        // Wait for a server that is not there yet; never start one ourselves.
        const auto flags = pa_context_flags_t(PA_CONTEXT_NOFAIL | PA_CONTEXT_NOAUTOSPAWN);
        // A connection refused at once fails the context inside this call,
        // and lost() has then dropped it and planned the next attempt.
        if (pa_context_connect(context, nullptr, flags, nullptr) < 0 && context) {
            qCWarning(soundLog) << "Cannot connect to the sound server:"
                                << pa_strerror(pa_context_errno(context));
            dropContext();
            scheduleReconnect();
        }
    }

    void dropContext() {
        if (!context)
            return;
        pa_context_set_state_callback(context, nullptr, nullptr);
        pa_context_set_subscribe_callback(context, nullptr, nullptr);
        // Cancels every operation in flight: none of their callbacks runs.
        pa_context_disconnect(context);
        pa_context_unref(context);
        context = nullptr;
        ready = false;
    }

    void scheduleReconnect() {
        if (retryTask)
            return;
        retryTask = scheduler.schedule(retryDelay, [this] {
            retryTask = 0;
            connect();
        });
        retryDelay = std::min(retryDelay * 2, longestRetry);
    }

    void becameReady() {
        ready = true;
        retryDelay = firstRetry;
        socketPath = socketPathOf(pa_context_get_server(context));
        pa_context_set_subscribe_callback(context, &Connection::serverEvent, this);
        const auto mask = pa_subscription_mask_t(
            PA_SUBSCRIPTION_MASK_SINK | PA_SUBSCRIPTION_MASK_SOURCE | PA_SUBSCRIPTION_MASK_SERVER);
        unref(pa_context_subscribe(context, mask, nullptr, nullptr));
        unref(pa_context_get_server_info(context, &Connection::serverInfo, this));
        unref(pa_context_get_sink_info_list(context, &Connection::sinkInfo, this));
        unref(pa_context_get_source_info_list(context, &Connection::sourceInfo, this));
    }

    void lost() {
        qCWarning(soundLog) << "Lost the sound server:" << pa_strerror(pa_context_errno(context));
        dropContext();
        sinks.clear();
        sources.clear();
        defaultSink.clear();
        defaultSource.clear();
        std::map<std::uint64_t, Write> failed;
        failed.swap(writes);
        scheduleReconnect();
        watchSocket();
        owner.notify({AudioEvent::Kind::reset, {}});
        for (auto& [id, write] : failed) {
            if (write.done)
                write.done(PA_ERR_CONNECTIONTERMINATED);
        }
    }

    void watchSocket() {
        if (socketPath.isEmpty())
            return;
        const QString folder = QFileInfo(socketPath).path();
        if (!socketWatch.directories().contains(folder))
            socketWatch.addPath(folder);
    }

    // Something came or went beside the socket: a server that made its socket
    // anew is tried now, and from the first pause again should it not answer
    // yet.
    void socketFolderChanged() {
        if (ready || !retryTask || !QFileInfo::exists(socketPath))
            return;
        scheduler.cancel(retryTask);
        retryTask = 0;
        retryDelay = firstRetry;
        connect();
    }

    static void unref(pa_operation* operation) {
        if (operation)
            pa_operation_unref(operation);
    }

    // --- the mirror ----------------------------------------------------------

    void updateSink(const pa_sink_info& info) {
        if (isPlaceholder(info.name))
            return;
        AudioSink sink = sinkFrom(info);
        auto found = sinks.find(info.index);
        if (found == sinks.end()) {
            const QString name = sink.name;
            sinks.emplace(info.index, SinkEntry{std::move(sink), info.volume});
            owner.notify({AudioEvent::Kind::sinkAdded, name});
            return;
        }
        found->second.volume = info.volume;
        if (found->second.sink == sink)
            return;
        found->second.sink = std::move(sink);
        owner.notify({AudioEvent::Kind::sinkChanged, found->second.sink.name});
    }

    void removeSink(std::uint32_t index) {
        auto found = sinks.find(index);
        if (found == sinks.end())
            return;
        const QString name = found->second.sink.name;
        sinks.erase(found);
        owner.notify({AudioEvent::Kind::sinkRemoved, name});
    }

    void updateSource(const pa_source_info& info) {
        if (isPlaceholder(info.name))
            return;
        AudioSource source = sourceFrom(info);
        auto found = sources.find(info.index);
        if (found == sources.end()) {
            const QString name = source.name;
            sources.emplace(info.index, std::move(source));
            owner.notify({AudioEvent::Kind::sourceAdded, name});
            return;
        }
        if (found->second == source)
            return;
        found->second = std::move(source);
        owner.notify({AudioEvent::Kind::sourceChanged, found->second.name});
    }

    void removeSource(std::uint32_t index) {
        auto found = sources.find(index);
        if (found == sources.end())
            return;
        const QString name = found->second.name;
        sources.erase(found);
        owner.notify({AudioEvent::Kind::sourceRemoved, name});
    }

    void updateServer(const pa_server_info& info) {
        const QString sink = isPlaceholder(info.default_sink_name)
                                 ? QString()
                                 : QString::fromUtf8(info.default_sink_name);
        const QString source = isPlaceholder(info.default_source_name)
                                   ? QString()
                                   : QString::fromUtf8(info.default_source_name);
        if (sink != defaultSink) {
            defaultSink = sink;
            owner.notify({AudioEvent::Kind::defaultSinkChanged, sink});
        }
        if (source != defaultSource) {
            defaultSource = source;
            owner.notify({AudioEvent::Kind::defaultSourceChanged, source});
        }
    }

    // --- writes --------------------------------------------------------------

    // Runs `done` later with `error`, as a write that reached the server would.
    void failLater(Completion done, int error) {
        if (done)
            scheduler.schedule(Scheduler::Duration::zero(), [done, error] { done(error); });
    }

    // Registers a write; returns the cookie to hand to libpulse, or null when
    // the server is not there (the completion then hears so).
    Cookie* beginWrite(Completion& done, Reread reread, const QString& name) {
        if (!ready) {
            failLater(std::move(done), PA_ERR_CONNECTIONREFUSED);
            return nullptr;
        }
        const std::uint64_t id = nextWriteId++;
        auto cookie = std::make_unique<Cookie>(Cookie{this, id});
        Cookie* handle = cookie.get();
        writes.emplace(id, Write{std::move(done), reread, name.toUtf8(), std::move(cookie)});
        return handle;
    }

    // The operation that carries a write, or null when libpulse refused it.
    void issued(Cookie* cookie, pa_operation* operation) {
        if (operation) {
            pa_operation_unref(operation);
            return;
        }
        finish(cookie->id, pa_context_errno(context));
    }

    void finish(std::uint64_t id, int error) {
        auto found = writes.find(id);
        if (found == writes.end())
            return;
        Completion done = std::move(found->second.done);
        writes.erase(found);
        if (done)
            done(error);
    }

    // The server took the write; the completion runs once the mirror has
    // read back what it changed, so a caller reading it sees the new state.
    void written(std::uint64_t id, bool success) {
        auto found = writes.find(id);
        if (found == writes.end())
            return;
        if (!success) {
            finish(id, pa_context_errno(context));
            return;
        }
        Write& write = found->second;
        Cookie* cookie = write.cookie.get();
        pa_operation* reread = nullptr;
        switch (write.reread) {
        case Reread::server:
            reread = pa_context_get_server_info(context, &Connection::serverReread, cookie);
            break;
        case Reread::sink:
            reread = pa_context_get_sink_info_by_name(context, write.name.constData(),
                                                      &Connection::sinkReread, cookie);
            break;
        case Reread::source:
            reread = pa_context_get_source_info_by_name(context, write.name.constData(),
                                                        &Connection::sourceReread, cookie);
            break;
        }
        if (reread)
            pa_operation_unref(reread);
        else
            finish(id, 0);
    }

    // --- libpulse callbacks ----------------------------------------------------

    static void stateChanged(pa_context* context, void* data) {
        auto* self = static_cast<Connection*>(data);
        switch (pa_context_get_state(context)) {
        case PA_CONTEXT_READY:
            self->becameReady();
            break;
        case PA_CONTEXT_FAILED:
        case PA_CONTEXT_TERMINATED:
            self->lost();
            break;
        default:
            break;
        }
    }

    static void serverEvent(pa_context* context, pa_subscription_event_type_t type,
                            std::uint32_t index, void* data) {
        auto* self = static_cast<Connection*>(data);
        const auto facility = type & PA_SUBSCRIPTION_EVENT_FACILITY_MASK;
        const bool removed =
            (type & PA_SUBSCRIPTION_EVENT_TYPE_MASK) == PA_SUBSCRIPTION_EVENT_REMOVE;
        switch (facility) {
        case PA_SUBSCRIPTION_EVENT_SINK:
            if (removed)
                self->removeSink(index);
            else
                unref(
                    pa_context_get_sink_info_by_index(context, index, &Connection::sinkInfo, self));
            break;
        case PA_SUBSCRIPTION_EVENT_SOURCE:
            if (removed)
                self->removeSource(index);
            else
                unref(pa_context_get_source_info_by_index(context, index, &Connection::sourceInfo,
                                                          self));
            break;
        case PA_SUBSCRIPTION_EVENT_SERVER:
            unref(pa_context_get_server_info(context, &Connection::serverInfo, self));
            break;
        default:
            break;
        }
    }

    static void serverInfo(pa_context*, const pa_server_info* info, void* data) {
        if (info)
            static_cast<Connection*>(data)->updateServer(*info);
    }

    static void sinkInfo(pa_context*, const pa_sink_info* info, int eol, void* data) {
        if (info && eol == 0)
            static_cast<Connection*>(data)->updateSink(*info);
    }

    static void sourceInfo(pa_context*, const pa_source_info* info, int eol, void* data) {
        if (info && eol == 0)
            static_cast<Connection*>(data)->updateSource(*info);
    }

    static void writeDone(pa_context*, int success, void* data) {
        auto* cookie = static_cast<Cookie*>(data);
        cookie->connection->written(cookie->id, success != 0);
    }

    static void serverReread(pa_context* context, const pa_server_info* info, void* data) {
        auto* cookie = static_cast<Cookie*>(data);
        serverInfo(context, info, cookie->connection);
        cookie->connection->finish(cookie->id, 0);
    }

    static void sinkReread(pa_context* context, const pa_sink_info* info, int eol, void* data) {
        auto* cookie = static_cast<Cookie*>(data);
        sinkInfo(context, info, eol, cookie->connection);
        if (eol != 0)
            cookie->connection->finish(cookie->id, 0);
    }

    static void sourceReread(pa_context* context, const pa_source_info* info, int eol, void* data) {
        auto* cookie = static_cast<Cookie*>(data);
        sourceInfo(context, info, eol, cookie->connection);
        if (eol != 0)
            cookie->connection->finish(cookie->id, 0);
    }
};

AudioSystem& AudioSystem::shared() {
    static PulseAudioSystem system(QtScheduler::shared());
    return system;
}

PulseAudioSystem::PulseAudioSystem(Scheduler& scheduler)
    : connection_(std::make_unique<Connection>(*this, scheduler)) {}

PulseAudioSystem::~PulseAudioSystem() = default;

bool PulseAudioSystem::isConnected() const {
    return connection_->ready;
}

std::vector<AudioSink> PulseAudioSystem::sinks() const {
    std::vector<AudioSink> list;
    list.reserve(connection_->sinks.size());
    for (const auto& [index, entry] : connection_->sinks)
        list.push_back(entry.sink);
    return list;
}

std::vector<AudioSource> PulseAudioSystem::sources() const {
    std::vector<AudioSource> list;
    list.reserve(connection_->sources.size());
    for (const auto& [index, source] : connection_->sources)
        list.push_back(source);
    return list;
}

QString PulseAudioSystem::defaultSinkName() const {
    return connection_->defaultSink;
}

QString PulseAudioSystem::defaultSourceName() const {
    return connection_->defaultSource;
}

void PulseAudioSystem::setDefaultSink(const QString& name, Completion done) {
    Connection& c = *connection_;
    if (Connection::Cookie* cookie = c.beginWrite(done, Connection::Reread::server, name))
        c.issued(cookie, pa_context_set_default_sink(c.context, name.toUtf8().constData(),
                                                     &Connection::writeDone, cookie));
}

void PulseAudioSystem::setSinkVolume(const QString& name, double volume, Completion done) {
    Connection& c = *connection_;
    const auto entry = std::find_if(c.sinks.begin(), c.sinks.end(),
                                    [&](const auto& e) { return e.second.sink.name == name; });
    if (c.ready && entry == c.sinks.end()) {
        c.failLater(std::move(done), PA_ERR_NOENTITY);
        return;
    }
    Connection::Cookie* cookie = c.beginWrite(done, Connection::Reread::sink, name);
    if (!cookie)
        return;
    pa_cvolume channels = entry->second.volume;
    const double clamped = std::clamp(volume, 0.0, double(PA_VOLUME_MAX) / PA_VOLUME_NORM);
    pa_cvolume_scale(&channels, pa_volume_t(std::lround(clamped * PA_VOLUME_NORM)));
    c.issued(cookie, pa_context_set_sink_volume_by_name(c.context, name.toUtf8().constData(),
                                                        &channels, &Connection::writeDone, cookie));
}

void PulseAudioSystem::setSinkMute(const QString& name, bool muted, Completion done) {
    Connection& c = *connection_;
    if (Connection::Cookie* cookie = c.beginWrite(done, Connection::Reread::sink, name))
        c.issued(cookie, pa_context_set_sink_mute_by_name(c.context, name.toUtf8().constData(),
                                                          muted, &Connection::writeDone, cookie));
}

void PulseAudioSystem::setSourceMute(const QString& name, bool muted, Completion done) {
    Connection& c = *connection_;
    if (Connection::Cookie* cookie = c.beginWrite(done, Connection::Reread::source, name))
        c.issued(cookie, pa_context_set_source_mute_by_name(c.context, name.toUtf8().constData(),
                                                            muted, &Connection::writeDone, cookie));
}

} // namespace vellaro
