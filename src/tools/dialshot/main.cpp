// dialshot: renders the dial offscreen to PNG files, for looking at it.
//
//   dialshot --out dial.png [--sections workspaces,windows,...] [--state root|hover|submenu]
//            [--section N] [--item N] [--theme system|pearl|eclipse|charcoal|custom]
//            [--dark] [--material frost|matte|clear] [--scale F] [--pixel-ratio R]
//            [--labels on|off] [--time SECONDS] [--items N] [--backdrop desktop|none]
//            [--live] [--choose N,...]
//   dialshot --standard-set DIR   writes the reference set of PNGs into DIR

#include "DialShot.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <cstdio>

using vellaro::dialshot::Shot;

namespace {

bool parseShot(const QCommandLineParser& args, Shot& shot, QString& error) {
    if (args.isSet("sections")) {
        shot.sections.clear();
        for (const QString& raw : args.value("sections").split(',', Qt::SkipEmptyParts)) {
            const auto kind = vellaro::sectionKindFromRawValue(raw.trimmed());
            if (!kind) {
                error = "unknown section: " + raw;
                return false;
            }
            shot.sections.push_back(*kind);
        }
    }
    const QString state = args.value("state");
    if (state == "root")
        shot.state = Shot::State::root;
    else if (state == "hover")
        shot.state = Shot::State::hover;
    else if (state == "submenu")
        shot.state = Shot::State::submenu;
    else {
        error = "unknown state: " + state;
        return false;
    }
    shot.section = args.value("section").toInt();
    shot.item = args.isSet("item") ? std::optional<int>(args.value("item").toInt()) : std::nullopt;
    const auto theme = vellaro::fromRawValue<vellaro::ThemeChoice>(args.value("theme"));
    const auto material = vellaro::fromRawValue<vellaro::MaterialChoice>(args.value("material"));
    if (!theme || !material) {
        error = "unknown theme or material";
        return false;
    }
    shot.theme = *theme;
    shot.material = *material;
    shot.darkDesktop = args.isSet("dark");
    shot.scale = args.value("scale").toDouble();
    shot.pixelRatio = args.value("pixel-ratio").toDouble();
    shot.labels = args.value("labels") != "off";
    shot.time =
        args.isSet("time") ? std::optional<double>(args.value("time").toDouble()) : std::nullopt;
    shot.items = args.value("items").toInt();
    shot.desktopBackdrop = args.value("backdrop") != "none";
    shot.live = args.isSet("live");
    for (const QString& index : args.value("choose").split(',', Qt::SkipEmptyParts))
        shot.choose.push_back(index.toInt());
    if (shot.scale <= 0 || shot.pixelRatio <= 0) {
        error = "scale and pixel ratio must be positive";
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser args;
    args.setApplicationDescription("Renders the dial offscreen to PNG.");
    args.addHelpOption();
    args.addOptions({
        {"out", "PNG file to write.", "file"},
        {"standard-set", "Write the reference set of PNGs into a folder.", "dir"},
        {"sections", "Comma-separated sections, clockwise from the top.", "list"},
        {"state", "root, hover or submenu.", "state", "root"},
        {"section", "Hovered or open section index.", "n", "0"},
        {"item", "Hovered fan item index.", "n"},
        {"theme", "system, pearl, eclipse, charcoal or custom.", "theme", "pearl"},
        {"dark", "The desktop is dark (for the system theme)."},
        {"material", "frost, matte or clear.", "material", "frost"},
        {"scale", "Size factor of the dial.", "factor", "1"},
        {"pixel-ratio", "Device pixel ratio of the image.", "ratio", "2"},
        {"labels", "on or off.", "on|off", "on"},
        {"time", "Seconds after the dial opened (default: settled).", "seconds"},
        {"items", "Items in every section's fan.", "n", "6"},
        {"backdrop", "desktop (a sample desktop behind the dial) or none.", "kind", "desktop"},
        {"live", "Fill the sections from this desktop (recent files, sound devices, ...)."},
        {"choose", "Fan items of the open section to choose first (Keep Awake, ...).", "list"},
    });
    args.process(app);

    if (args.isSet("standard-set")) {
        const QString dir = args.value("standard-set");
        QDir().mkpath(dir);
        const int written = vellaro::dialshot::writeStandardSet(dir);
        std::printf("%d images in %s\n", written, qPrintable(dir));
        return written > 0 ? 0 : 1;
    }
    if (!args.isSet("out")) {
        std::fprintf(stderr, "dialshot: --out or --standard-set is required\n");
        return 2;
    }
    Shot shot;
    QString error;
    if (!parseShot(args, shot, error)) {
        std::fprintf(stderr, "dialshot: %s\n", qPrintable(error));
        return 2;
    }
    if (!vellaro::dialshot::render(shot).save(args.value("out"))) {
        std::fprintf(stderr, "dialshot: cannot write %s\n", qPrintable(args.value("out")));
        return 1;
    }
    return 0;
}
