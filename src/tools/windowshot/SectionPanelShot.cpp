#include "SectionPanelShot.h"

#include "ConsoleShot.h"
#include "SamplePaneSources.h"
#include "settings/console/ConsoleRootView.h"
#include "settings/console/SettingsWindowController.h"
#include "settings/kit/NameField.h"
#include "settings/panel/ContextPanel.h"
#include "settings/panes/AppSearchBox.h"
#include "settings/panes/AppsPane.h"
#include "settings/panes/ClipboardPane.h"
#include "settings/panes/SectionPanel.h"
#include "ui/VelChipButton.h"

#include <QCoreApplication>
#include <QDir>
#include <QScrollArea>

namespace vellaro::windowshot {

namespace {

enum class Extra { none, sheet, search };

std::unique_ptr<SectionProvider> sampleProvider(SectionKind kind, int pins) {
    switch (kind) {
    case SectionKind::apps:
        return std::make_unique<SampleAppsSource>(pins);
    case SectionKind::clipboard:
        return std::make_unique<SampleClipboardSource>();
    case SectionKind::actions:
        return std::make_unique<SampleActionsSource>();
    case SectionKind::workspaces:
        return std::make_unique<SampleWorkspacesSource>();
    default:
        return nullptr;
    }
}

QImage renderSection(SectionKind kind, ThemeChoice theme, Extra extra, bool excluded) {
    ConsoleShot shot{ConsoleShot::State::idle, theme, false, 1.0};
    const int pins = extra == Extra::search ? 9 : 3;
    shot.providers = [pins](SectionKind k) { return sampleProvider(k, pins); };
    shot.prepare = [excluded](VellaroSettings& s) {
        if (excluded)
            s.clipboardExcluded = {QStringLiteral("app1"), QStringLiteral("org.example.Gone")};
    };
    return renderConsole(shot, [&](SettingsWindowController& controller) -> QWidget* {
        ConsoleRootView& root = *controller.root();
        root.setSelection(kind);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        auto& panel = *root.findChild<ContextPanel*>();
        SectionPanel& section = panel.sectionBody();
        if (extra == Extra::sheet) {
            VelChipButton& edit = section.clipboardPane()->editChip();
            Q_EMIT edit.clicked();
            QCoreApplication::processEvents();
            return section.exclusionsSheet();
        }
        if (extra == Extra::search) {
            section.appsPane()->searchBox()->field().setText(QStringLiteral("ca"));
            QCoreApplication::processEvents();
        }
        QWidget& content = *panel.scrollArea().widget();
        content.resize(content.width(), content.sizeHint().height());
        QCoreApplication::processEvents();
        return &content;
    });
}

} // namespace

int writeSectionPanelSet(const QString& folder) {
    const std::pair<ThemeChoice, const char*> looks[] = {{ThemeChoice::pearl, "pearl"},
                                                         {ThemeChoice::eclipse, "eclipse"}};
    int written = 0;
    const auto save = [&](const QImage& image, const QString& name) {
        if (image.save(QDir(folder).filePath(name)))
            ++written;
    };
    for (const auto& [theme, look] : looks) {
        for (SectionKind kind : allSectionKinds)
            save(renderSection(kind, theme, Extra::none, false),
                 QStringLiteral("section-%1-%2.png")
                     .arg(QLatin1String(look), sectionTitle(kind).toLower()));
        save(renderSection(SectionKind::clipboard, theme, Extra::sheet, false),
             QStringLiteral("section-%1-exclusions-empty.png").arg(QLatin1String(look)));
        save(renderSection(SectionKind::clipboard, theme, Extra::sheet, true),
             QStringLiteral("section-%1-exclusions.png").arg(QLatin1String(look)));
        save(renderSection(SectionKind::apps, theme, Extra::search, false),
             QStringLiteral("section-%1-apps-search.png").arg(QLatin1String(look)));
    }
    return written;
}

} // namespace vellaro::windowshot
