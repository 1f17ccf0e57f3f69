#pragma once

#include "overlay/RadialMenuView.h"
#include "settings/model/ConsoleModel.h"
#include "settings/model/ContextPanelServices.h"
#include "settings/topbar/TopBar.h"
#include "ui/ConsoleWindowFrame.h"

#include <functional>
#include <memory>

namespace vellaro {

class ConsoleRootView;
class PresetBarView;

// The settings console's one window: built at the first show() and kept for
// the whole process; closing only hides it, and every later show() brings
// the same window, with its state, forward. Main thread.
class SettingsWindowController {
public:
    struct Services {
        ConsoleWindowFrame::Services frame;
        ConsoleModel::Services model;
        // The preview dial's services, asked for at the first show.
        std::function<RadialMenuView::Services()> dial;
        // The context panel's services, asked for at the first show; none
        // leaves the panel's place empty.
        std::function<ContextPanelServices()> contextPanel = {};
        // The top bar's triggers and input, asked for at the first show;
        // without them the console has no top bar.
        std::function<TopBar::Services()> topBar = {};

        static Services shared();
    };

    static constexpr char frameName[] = "VellaroSettingsWindow";

    explicit SettingsWindowController(Services services);
    ~SettingsWindowController();

    // Applies the appearance, shows, un-minimises, raises and activates the
    // window, building it the first time.
    void show();
    // Takes effect when the window is built.
    void setContextPanelServices(std::function<ContextPanelServices()> services);

    ConsoleWindowFrame* window() const { return window_.get(); }
    ConsoleRootView* root() const { return root_; }
    ConsoleModel* model() const { return model_.get(); }

private:
    void build();
    PresetBarView* presetBar();

    Services services_;
    // Declared first so it outlives the window's views.
    std::unique_ptr<ConsoleModel> model_;
    std::unique_ptr<ConsoleWindowFrame> window_;
    ConsoleRootView* root_ = nullptr;
};

} // namespace vellaro
