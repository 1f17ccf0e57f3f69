#pragma once

#include "ui/SingleWindow.h"

#include <QWidget>

namespace vellaro {

class AppsProvider;

// The "Add Apps to Vellaro" window over the apps section's provider. Closing
// it keeps it (the next show brings back its search and selection); adding
// or cancelling closes it for good. Main thread.
class AddAppPickerController {
public:
    explicit AddAppPickerController(AppsProvider& provider);
    ~AddAppPickerController();

    // The controller of the shared data source's apps provider.
    static AddAppPickerController& shared();

    void show();
    // The window while there is one.
    QWidget* window() const { return window_.get(); }

private:
    AppsProvider& provider_;
    SingleWindow<QWidget> window_;
};

} // namespace vellaro
