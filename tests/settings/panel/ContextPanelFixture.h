#pragma once

// The context panel offscreen on real settings in a temporary folder, a
// host that records what the panel asks of the console, a manual clock and
// a login item in temporary XDG folders; driven by mouse events at points of
// the widgets' own geometry.
#include "model/EffectiveSections.h"
#include "model/SettingsStore.h"
#include "overlay/MouseHapticsClient.h"
#include "platform/session/LoginItem.h"
#include "platform/session/Notifications.h"
#include "platform/windows/WindowAccessTrust.h"
#include "settings/kit/PermissionRow.h"
#include "settings/kit/StatusDot.h"
#include "settings/library/LibrarySearchField.h"
#include "settings/library/LibrarySection.h"
#include "settings/library/LibraryTile.h"
#include "settings/model/ContextPanelHost.h"
#include "settings/panel/ContextPanel.h"
#include "settings/panel/DialWidePanel.h"
#include "settings/panel/HapticsStatusRow.h"
#include "settings/panel/UpdatesGroup.h"
#include "settings/panes/SectionPanel.h"
#include "support/FakeUpdateControls.h"
#include "support/ManualScheduler.h"
#include "ui/KitSwitch.h"
#include "ui/VelAdvanced.h"
#include "ui/VelChipButton.h"
#include "ui/VelRowView.h"
#include "ui/VelSeg.h"
#include "ui/VelSliderRow.h"
#include "ui/VelToggleRow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTemporaryDir>

namespace vellaro::test {

class SwitchableTrust final : public WindowAccessTrust {
public:
    bool trusted = false;
    int asked = 0;
    bool isTrusted() override {
        ++asked;
        return trusted;
    }
};

// The console's side of the seam: the store's settings, a selection, and
// every library gesture written down.
class RecordingHost final : public ContextPanelHost {
public:
    RecordingHost(SettingsStore& store, QWidget& root) : store_(store), root_(root) {}
    const Pal& pal() const override { return Pal::light(); }
    const VellaroSettings& settings() const override { return store_.settings(); }
    std::optional<SectionKind> selection() const override { return selection_; }
    void setSelection(std::optional<SectionKind> section) override { selection_ = section; }
    void showToast(const QString& message, std::function<void()> undo) override {
        toasts.append(message);
        undos.push_back(std::move(undo));
    }
    void handleLibraryDrag(SectionKind section, QPointF location) override {
        drags.emplace_back(section, location);
    }
    void handleLibraryDrop(SectionKind section) override { drops.push_back(section); }
    void handleLibraryAppend(SectionKind section) override {
        appends.push_back(section);
        store_.addSection(section, effectiveSections(store_.settings()));
    }
    QWidget* coordinateRoot() override { return &root_; }

    std::vector<std::pair<SectionKind, QPointF>> drags;
    std::vector<SectionKind> drops, appends;
    QStringList toasts;
    std::vector<std::function<void()>> undos;

private:
    SettingsStore& store_;
    QWidget& root_;
    std::optional<SectionKind> selection_;
};

struct ContextPanelFixture {
    QTemporaryDir folder;
    Notifications notifications;
    SettingsStore store{folder.path(), notifications};
    ManualScheduler scheduler;
    SwitchableTrust trust;
    LoginItem loginItem{QStringLiteral("/opt/vellaro/vellaro"),
                        {folder.filePath(QStringLiteral("config")), {}}};
    // Nothing listens there: every probe says the plug-in is away. A test
    // may point it at its own plug-in before open().
    std::unique_ptr<MouseHapticsClient> haptics =
        std::make_unique<MouseHapticsClient>(scheduler, QStringLiteral("127.0.0.1"), 1);
    FakeUpdateControls updates;
    bool hapticsHardware = false;
    // Declared before the root so that it outlives the panel's widgets.
    RecordingHost host{store, root};
    QWidget root;
    ContextPanel* panel = nullptr;
    MenuDataSource* dataSource = nullptr;
    decltype(ContextPanelServices::pickApps) pickApps;
    int saves = 0;
    Qt::MouseButtons held;

    void open() {
        ContextPanelServices services{store,
                                      dataSource,
                                      trust,
                                      loginItem,
                                      *haptics,
                                      notifications,
                                      scheduler,
                                      updates,
                                      {},
                                      {},
                                      [this] { return hapticsHardware; },
                                      pickApps};
        auto* row = new QHBoxLayout(&root);
        row->setContentsMargins(0, 0, 0, 0);
        row->addSpacing(560);
        panel = new ContextPanel(host, services, &root);
        panel->setFixedWidth(340);
        row->addWidget(panel);
        notifications.observe(QStringLiteral("vellaroSettingsDidChange"), [this](QObject*) {
            ++saves;
            panel->settingsChanged();
        });
        root.resize(900, 3000);
        root.show();
        QCoreApplication::processEvents();
    }
    DialWidePanel& wide() const { return panel->dialWide(); }

    void mouse(QWidget& w, QEvent::Type type, QPointF p, Qt::MouseButton button = Qt::LeftButton) {
        if (type == QEvent::MouseButtonPress)
            held |= button;
        if (type == QEvent::MouseButtonRelease)
            held &= ~Qt::MouseButtons(button);
        QMouseEvent event(type, p, w.mapToGlobal(p),
                          type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&w, &event);
    }
    void click(QWidget& w, QPointF p) {
        mouse(w, QEvent::MouseButtonPress, p);
        mouse(w, QEvent::MouseButtonRelease, p);
    }
    void choose(VelSeg& seg, const QString& option) {
        click(seg, seg.optionRect(seg.options().indexOf(option)).center());
    }
    void flip(VelToggleRow& row) {
        KitSwitch& control = row.switchControl();
        click(control, control.trackRect().center());
    }
    QJsonObject savedFile() const {
        QFile file(folder.filePath(QStringLiteral("settings.json")));
        file.open(QIODevice::ReadOnly);
        return QJsonDocument::fromJson(file.readAll()).object();
    }
    LibraryTile& tile(SectionKind kind) const { return *wide().library().tile(kind); }
    // Drags a tile from its centre through `steps` moves of `stride` each.
    void dragTile(SectionKind kind, int steps, QPointF stride, bool release = true) {
        LibraryTile& t = tile(kind);
        QPointF p = QRectF(t.rect()).center();
        mouse(t, QEvent::MouseButtonPress, p);
        for (int i = 0; i < steps; ++i)
            mouse(t, QEvent::MouseMove, p += stride);
        if (release)
            mouse(t, QEvent::MouseButtonRelease, p);
    }
};

} // namespace vellaro::test
