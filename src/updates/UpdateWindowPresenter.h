#pragma once

namespace vellaro {

// What the user driver needs of the update window.
class UpdateWindowPresenter {
public:
    virtual ~UpdateWindowPresenter() = default;
    // Brings the window forward, building it on first use.
    virtual void show() = 0;
    // Hides the window when it exists.
    virtual void orderOut() = 0;
};

} // namespace vellaro
