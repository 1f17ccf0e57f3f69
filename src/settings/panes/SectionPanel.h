#pragma once

#include "model/SectionKind.h"
#include "settings/model/ContextPanelServices.h"
#include "settings/panes/ClipboardExclusionsSheet.h"
#include "settings/panes/SectionPanelState.h"
#include "ui/KitWidget.h"

#include <QPointer>
#include <optional>

class QVBoxLayout;

namespace vellaro {

class ActionsPane;
class AppsPane;

class ClipboardPane;
class ContextPanelHost;
class RebuiltColumn;
class VelChipButton;
class WorkspacesPane;

// The panel of the selected section: the way back, its symbol, title and
// place on the dial, rotating it, the section's own pane, and removing it
// from the dial. Every edit goes through the settings store or the
// section's provider; the panel is built again from what they hold.
class SectionPanel : public KitWidget {
    Q_OBJECT
public:
    SectionPanel(const Pal& pal, ContextPanelHost& host, const ContextPanelServices& services,
                 QWidget* parent = nullptr);
    ~SectionPanel() override;

    void showSection(SectionKind kind);
    void settingsChanged();
    void setAccessibilityTrusted(bool trusted);
    // Builds the content again in the current colours.
    void palChanged();

    std::optional<SectionKind> section() const { return kind_; }
    const QString& caption() const { return caption_; }
    VelChipButton* backChip() const { return back_; }
    VelChipButton* rotateBackChip() const { return rotateBack_; }
    VelChipButton* rotateForwardChip() const { return rotateForward_; }
    VelChipButton* removeChip() const { return remove_; }
    bool showsRemoveNote() const { return removeNote_; }
    ClipboardPane* clipboardPane() const { return clipboard_; }
    WorkspacesPane* workspacesPane() const { return workspaces_; }
    ActionsPane* actionsPane() const { return actions_; }
    AppsPane* appsPane() const { return apps_; }
    ClipboardExclusionsSheet* exclusionsSheet() const { return sheet_; }
    SectionPanelState& state() { return state_; }
    RebuiltColumn& content() const { return *content_; }

private:
    void build(QWidget& body, QVBoxLayout& column);
    void addGroup(QWidget& body, QVBoxLayout& column, const QString& heading, QWidget* content);
    void buildPane(SectionKind kind, QWidget& body, QVBoxLayout& column);
    void rotate(int step);
    void removeFromDial();
    void editExclusions();
    void forgetWidgets();

    ContextPanelHost& host_;
    const ContextPanelServices& services_;
    SectionPanelState state_;
    std::optional<SectionKind> kind_;
    bool axTrusted_ = false;
    RebuiltColumn* content_;
    QString caption_;
    VelChipButton* back_ = nullptr;
    VelChipButton* rotateBack_ = nullptr;
    VelChipButton* rotateForward_ = nullptr;
    VelChipButton* remove_ = nullptr;
    bool removeNote_ = false;
    ClipboardPane* clipboard_ = nullptr;
    WorkspacesPane* workspaces_ = nullptr;
    ActionsPane* actions_ = nullptr;
    AppsPane* apps_ = nullptr;
    class PermissionRow* windowsAccess_ = nullptr;
    QPointer<ClipboardExclusionsSheet> sheet_;
};

} // namespace vellaro
