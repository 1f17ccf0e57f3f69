#pragma once

#include "settings/panel/MXHapticsState.h"
#include "ui/KitWidget.h"

namespace vellaro {

class ColorWell;
class ContextPanelHost;
class HapticsStatusRow;
class LibrarySection;
class PanelText;
class PermissionRow;
class UpdatesGroup;
class VelAdvanced;
class VelRowView;
class VelSeg;
class VelSliderRow;
class VelToggleRow;
struct ContextPanelServices;

// The panel shown while no section is selected: the library, the dial's
// look, its behaviour switches, launch at login, the advanced timings and
// the updates. Built once; settingsChanged() brings every row in line with
// the host's settings, and every edit goes through the store.
class DialWidePanel : public KitWidget {
    Q_OBJECT
public:
    DialWidePanel(const Pal& pal, ContextPanelHost& host, const ContextPanelServices& services,
                  MXHapticsState hapticsState, QWidget* parent = nullptr);

    void settingsChanged();
    void setAccessibilityTrusted(bool trusted);
    bool launchAtLogin() const { return launchAtLogin_; }
    // Reads whether the login item is on, as the desktop will see it.
    void reloadLaunchAtLogin();

    LibrarySection& library() const { return *library_; }
    VelSeg& material() const { return *material_; }
    VelSeg& theme() const { return *theme_; }
    VelRowView& surfaceRow() const { return *surfaceRow_; }
    VelRowView& accentRow() const { return *accentRow_; }
    ColorWell& surfaceWell() const { return *surfaceWell_; }
    ColorWell& accentWell() const { return *accentWell_; }
    VelSliderRow& brightness() const { return *brightness_; }
    VelSeg& size() const { return *size_; }
    VelToggleRow& labels() const { return *labels_; }
    VelToggleRow& haptics() const { return *haptics_; }
    HapticsStatusRow& hapticsRow() const { return *hapticsRow_; }
    VelToggleRow& launchRow() const { return *launch_; }
    VelAdvanced& advanced() const { return *advanced_; }
    VelSliderRow& hoverIntent() const { return *hoverIntent_; }
    VelSliderRow& gestureHold() const { return *gestureHold_; }
    VelSeg& submenus() const { return *submenus_; }
    VelToggleRow& alwaysOpaque() const { return *opaque_; }
    PermissionRow& accessibility() const { return *accessibility_; }
    UpdatesGroup& updates() const { return *updates_; }
    const PanelText& footer() const { return *footer_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildHeader();
    QWidget* group(const QString& heading, const QList<QWidget*>& rows);
    QWidget* buildAdvancedContent(const ContextPanelServices& services);
    void connectEdits();
    void setLaunchAtLogin(bool on);

    ContextPanelHost& host_;
    const ContextPanelServices& services_;
    bool launchAtLogin_ = false;
    LibrarySection* library_;
    VelSeg* material_;
    VelSeg* theme_;
    ColorWell* surfaceWell_;
    ColorWell* accentWell_;
    VelRowView* surfaceRow_;
    VelRowView* accentRow_;
    VelSliderRow* brightness_;
    VelSeg* size_;
    VelToggleRow* labels_;
    VelToggleRow* haptics_;
    HapticsStatusRow* hapticsRow_;
    VelToggleRow* launch_;
    VelSliderRow* hoverIntent_;
    VelSliderRow* gestureHold_;
    VelSeg* submenus_;
    VelToggleRow* opaque_;
    PermissionRow* accessibility_;
    VelAdvanced* advanced_;
    UpdatesGroup* updates_;
    PanelText* footer_;
};

} // namespace vellaro
