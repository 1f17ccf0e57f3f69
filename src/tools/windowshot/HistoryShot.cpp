#include "HistoryShot.h"

#include "FixedAppearance.h"
#include "clipboard/ClipboardHistoryView.h"
#include "clipboard/ClipboardHistoryWindowController.h"
#include "model/SettingsStore.h"
#include "platform/session/Defaults.h"
#include "platform/session/Notifications.h"
#include "ui/ConsoleWindowFrame.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

namespace vellaro::windowshot {
namespace {

const QDateTime shotNow{QDate(2026, 3, 1), QTime(12, 0), Qt::UTC};

std::vector<ClipboardEntry> sampleHistory() {
    using Kind = ClipboardKind;
    const auto at = [](int minutesAgo) { return shotNow.addSecs(-60 * minutesAgo); };
    return {
        ClipboardEntry::make({Kind::Text{"Quarterly numbers look good, ship on Friday"}},
                             QStringLiteral("Text Editor"), at(0)),
        ClipboardEntry::make({Kind::Url{"https://example.org/releases/4.2"}},
                             QStringLiteral("Firefox"), at(3)),
        ClipboardEntry::make({Kind::Files{{QUrl::fromLocalFile("/home/ada/Report.pdf")}}},
                             QStringLiteral("Files"), at(42)),
        ClipboardEntry::make({Kind::Image{QByteArray("png"), "public.png"}}, std::nullopt,
                             at(60 * 5)),
        ClipboardEntry::make({Kind::Text{"git rebase -i HEAD~3"}}, QStringLiteral("Terminal"),
                             at(60 * 24 * 2)),
    };
}

} // namespace

QImage renderHistory(const HistoryShot& shot) {
    QTemporaryDir folder;
    Notifications notifications;
    SettingsStore settings(folder.path(), notifications);
    settings.setTheme(shot.theme);
    Defaults defaults(folder.path() + QStringLiteral("/defaults.ini"));
    dialshot::FixedAppearance appearance(shot.darkDesktop);

    ConsoleWindowFrame window({settings, appearance, defaults},
                              {QStringLiteral("Clipboard History"),
                               ClipboardHistoryWindowController::frameName, QSize(440, 540),
                               QSize(380, 420), false});
    ClipboardHistoryView* view = ClipboardHistoryView::fill(window, {}, [] { return shotNow; });
    if (shot.state != HistoryShot::State::nothingCopied)
        view->setEntries(sampleHistory());
    if (shot.state == HistoryShot::State::noMatches)
        view->setQuery(QStringLiteral("invoice"));
    window.resize(440, 540);
    window.show();
    QCoreApplication::processEvents();
    if (shot.state == HistoryShot::State::rows)
        view->setHoveredRow(shot.hoveredRow);
    return window.grab().toImage();
}

int writeHistorySet(const QString& folder) {
    const std::pair<ThemeChoice, const char*> themes[] = {{ThemeChoice::pearl, "pearl"},
                                                          {ThemeChoice::eclipse, "eclipse"}};
    const std::pair<HistoryShot::State, const char*> states[] = {
        {HistoryShot::State::rows, "rows"},
        {HistoryShot::State::nothingCopied, "nothing-copied"},
        {HistoryShot::State::noMatches, "no-matches"}};
    int written = 0;
    for (const auto& [theme, themeName] : themes)
        for (const auto& [state, stateName] : states) {
            const QString file = QDir(folder).filePath(
                QStringLiteral("history-%1-%2.png").arg(themeName, stateName));
            if (renderHistory({state, theme, false, 1}).save(file))
                ++written;
        }
    return written;
}

} // namespace vellaro::windowshot
