#include "workspaces/WorkspacesCoding.h"

#include "core/FrameCoding.h"

#include <QJsonArray>
#include <QRegularExpression>
#include <cmath>

namespace vellaro {

namespace {

const QString dateFormat = QStringLiteral("yyyy-MM-dd'T'HH:mm:ss'Z'");

// Stops at the first fault and remembers where it was.
class Decoder {
public:
    QString error;

    bool fail(const QString& where, const QString& key, const char* what) {
        if (error.isEmpty())
            error = QStringLiteral("%1\"%2\" %3").arg(where, key, QLatin1String(what));
        return false;
    }

    // A present, non-null key; optional keys treat null as absent.
    bool has(const QJsonObject& object, const QString& key) const {
        return object.contains(key) && !object.value(key).isNull();
    }

    bool required(const QJsonObject& object, const QString& key, const QString& where) {
        return has(object, key) || fail(where, key, "is missing");
    }

    bool string(const QJsonObject& object, const QString& key, const QString& where, QString* out) {
        if (!required(object, key, where))
            return false;
        const QJsonValue value = object.value(key);
        if (!value.isString())
            return fail(where, key, "is not a string");
        *out = value.toString();
        return true;
    }

    bool array(const QJsonObject& object, const QString& key, const QString& where,
               QJsonArray* out) {
        if (!required(object, key, where))
            return false;
        const QJsonValue value = object.value(key);
        if (!value.isArray())
            return fail(where, key, "is not an array");
        *out = value.toArray();
        return true;
    }

    bool object(const QJsonValue& value, const QString& where, QJsonObject* out) {
        if (!value.isObject()) {
            if (error.isEmpty())
                error = where + QStringLiteral(" is not an object");
            return false;
        }
        *out = value.toObject();
        return true;
    }
};

QString at(const QString& list, qsizetype index) {
    return QStringLiteral("%1[%2]").arg(list).arg(index);
}

std::optional<std::int64_t> integer(const QJsonValue& value) {
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    // Exactly representable integers only; 2^63 itself is out of range.
    if (!std::isfinite(number) || std::trunc(number) != number || number < -0x1p63 ||
        number >= 0x1p63)
        return std::nullopt;
    return value.toInteger();
}

std::optional<QUuid> uuid(const QString& text) {
    static const QRegularExpression form(QStringLiteral(
        "^[0-9A-Fa-f]{8}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{12}$"));
    if (!form.match(text).hasMatch())
        return std::nullopt;
    return QUuid::fromString(text);
}

// An internet date-time with whole seconds and a zone ("Z" or "+hh:mm").
std::optional<QDateTime> date(const QString& text) {
    static const QRegularExpression form(
        QStringLiteral("^\\d{4}-\\d{2}-\\d{2}T\\d{2}:\\d{2}:\\d{2}(Z|[+-]\\d{2}:\\d{2})$"));
    if (!form.match(text).hasMatch())
        return std::nullopt;
    const QDateTime parsed = QDateTime::fromString(text, Qt::ISODate);
    if (!parsed.isValid())
        return std::nullopt;
    return parsed.toUTC();
}

std::optional<QUrl> url(const QString& text) {
    const QUrl parsed(text, QUrl::StrictMode);
    if (text.isEmpty() || !parsed.isValid() || parsed.isRelative())
        return std::nullopt;
    return parsed;
}

bool decodeWindow(Decoder& d, const QJsonValue& value, const QString& where, WindowRecord* out) {
    QJsonObject object;
    if (!d.object(value, where, &object))
        return false;
    const QString prefix = where + QLatin1Char('.');
    if (!d.string(object, QStringLiteral("title"), prefix, &out->title))
        return false;
    if (!d.required(object, QStringLiteral("frame"), prefix))
        return false;
    const auto frame = frameFromJson(object.value(QStringLiteral("frame")));
    if (!frame)
        return d.fail(prefix, QStringLiteral("frame"), "is not [[x, y], [width, height]]");
    out->frame = *frame;
    if (!d.required(object, QStringLiteral("isMinimized"), prefix))
        return false;
    const QJsonValue minimized = object.value(QStringLiteral("isMinimized"));
    if (!minimized.isBool())
        return d.fail(prefix, QStringLiteral("isMinimized"), "is not a boolean");
    out->isMinimized = minimized.toBool();
    if (d.has(object, QStringLiteral("documentURL"))) {
        QString text;
        if (!d.string(object, QStringLiteral("documentURL"), prefix, &text))
            return false;
        out->documentURL = url(text);
        if (!out->documentURL)
            return d.fail(prefix, QStringLiteral("documentURL"), "is not an absolute URL");
    }
    return true;
}

bool decodeApp(Decoder& d, const QJsonValue& value, const QString& where, AppRecord* out) {
    QJsonObject object;
    if (!d.object(value, where, &object))
        return false;
    const QString prefix = where + QLatin1Char('.');
    if (!d.string(object, QStringLiteral("bundleID"), prefix, &out->bundleID))
        return false;
    if (d.has(object, QStringLiteral("appPath"))) {
        QString path;
        if (!d.string(object, QStringLiteral("appPath"), prefix, &path))
            return false;
        out->appPath = path;
    }
    if (d.has(object, QStringLiteral("arguments"))) {
        QJsonArray arguments;
        if (!d.array(object, QStringLiteral("arguments"), prefix, &arguments))
            return false;
        QStringList list;
        for (const QJsonValue& argument : arguments) {
            if (!argument.isString())
                return d.fail(prefix, QStringLiteral("arguments"),
                              "holds a value that is not a string");
            list.append(argument.toString());
        }
        out->arguments = list;
    }
    QJsonArray windows;
    if (!d.array(object, QStringLiteral("windows"), prefix, &windows))
        return false;
    for (qsizetype i = 0; i < windows.size(); ++i) {
        WindowRecord window;
        if (!decodeWindow(d, windows[i], at(prefix + QStringLiteral("windows"), i), &window))
            return false;
        out->windows.push_back(std::move(window));
    }
    return true;
}

bool decodeWorkspace(Decoder& d, const QJsonValue& value, const QString& where, Workspace* out) {
    QJsonObject object;
    if (!d.object(value, where, &object))
        return false;
    const QString prefix = where + QLatin1Char('.');
    QString text;
    if (!d.string(object, QStringLiteral("id"), prefix, &text))
        return false;
    const auto id = uuid(text);
    if (!id)
        return d.fail(prefix, QStringLiteral("id"), "is not a UUID");
    out->id = *id;
    if (!d.string(object, QStringLiteral("name"), prefix, &out->name))
        return false;
    if (!d.string(object, QStringLiteral("createdAt"), prefix, &text))
        return false;
    const auto createdAt = date(text);
    if (!createdAt)
        return d.fail(prefix, QStringLiteral("createdAt"),
                      "is not a date of the form yyyy-MM-ddTHH:mm:ssZ");
    out->createdAt = *createdAt;
    if (!d.string(object, QStringLiteral("displaySignature"), prefix, &out->displaySignature))
        return false;
    QJsonArray apps;
    if (!d.array(object, QStringLiteral("apps"), prefix, &apps))
        return false;
    for (qsizetype i = 0; i < apps.size(); ++i) {
        AppRecord app;
        if (!decodeApp(d, apps[i], at(prefix + QStringLiteral("apps"), i), &app))
            return false;
        out->apps.push_back(std::move(app));
    }
    return true;
}

QJsonObject encodeWindow(const WindowRecord& window) {
    QJsonObject object{{QStringLiteral("title"), window.title},
                       {QStringLiteral("frame"), frameToJson(window.frame)},
                       {QStringLiteral("isMinimized"), window.isMinimized}};
    if (window.documentURL)
        object.insert(QStringLiteral("documentURL"),
                      QString::fromUtf8(window.documentURL->toEncoded()));
    return object;
}

QJsonObject encodeApp(const AppRecord& app) {
    QJsonArray windows;
    for (const WindowRecord& window : app.windows)
        windows.append(encodeWindow(window));
    QJsonObject object{{QStringLiteral("bundleID"), app.bundleID},
                       {QStringLiteral("windows"), windows}};
    if (app.appPath)
        object.insert(QStringLiteral("appPath"), *app.appPath);
    if (app.arguments)
        object.insert(QStringLiteral("arguments"), QJsonArray::fromStringList(*app.arguments));
    return object;
}

QJsonObject encodeWorkspace(const Workspace& workspace) {
    QJsonArray apps;
    for (const AppRecord& app : workspace.apps)
        apps.append(encodeApp(app));
    return {{QStringLiteral("id"), workspace.id.toString(QUuid::WithoutBraces).toUpper()},
            {QStringLiteral("name"), workspace.name},
            {QStringLiteral("createdAt"), workspace.createdAt.toUTC().toString(dateFormat)},
            {QStringLiteral("displaySignature"), workspace.displaySignature},
            {QStringLiteral("apps"), apps}};
}

} // namespace

QJsonObject WorkspacesCoding::encode(const WorkspacesConfiguration& configuration) {
    QJsonArray workspaces;
    for (const Workspace& workspace : configuration.workspaces)
        workspaces.append(encodeWorkspace(workspace));
    return {{QStringLiteral("version"), qint64(configuration.version)},
            {QStringLiteral("workspaces"), workspaces}};
}

std::optional<WorkspacesConfiguration> WorkspacesCoding::decode(const QJsonObject& root,
                                                                QString* error) {
    Decoder d;
    WorkspacesConfiguration configuration;
    auto failed = [&]() -> std::optional<WorkspacesConfiguration> {
        if (error)
            *error = d.error;
        return std::nullopt;
    };
    if (!d.required(root, QStringLiteral("version"), {}))
        return failed();
    const auto version = integer(root.value(QStringLiteral("version")));
    if (!version) {
        d.fail({}, QStringLiteral("version"), "is not an integer");
        return failed();
    }
    configuration.version = *version;
    QJsonArray workspaces;
    if (!d.array(root, QStringLiteral("workspaces"), {}, &workspaces))
        return failed();
    for (qsizetype i = 0; i < workspaces.size(); ++i) {
        Workspace workspace;
        if (!decodeWorkspace(d, workspaces[i], at(QStringLiteral("workspaces"), i), &workspace))
            return failed();
        configuration.workspaces.push_back(std::move(workspace));
    }
    return configuration;
}

} // namespace vellaro
