#pragma once

#include "onboarding/HapticsSetupServices.h"
#include "onboarding/HapticsSetupView.h"
#include "ui/ConsoleWindowFrame.h"

#include <QObject>
#include <QPointer>

namespace vellaro {

// Opens the haptics wizard. The window is built at the first show and kept,
// hidden, with its page and state, for every later one; its height follows
// the page. Main thread.
class HapticsSetupWindowController : public QObject {
    Q_OBJECT
public:
    HapticsSetupWindowController(HapticsSetupServices services,
                                 ConsoleWindowFrame::Services frameServices,
                                 QObject* parent = nullptr);
    ~HapticsSetupWindowController() override;

    void show();
    // A test burst, for the console's haptics row.
    void sendTestTick();

    ConsoleWindowFrame* window() const { return window_; }
    HapticsSetupView* view() const { return view_; }

private:
    void fitHeight();

    HapticsSetupServices s_;
    ConsoleWindowFrame::Services frameServices_;
    QPointer<ConsoleWindowFrame> window_;
    QPointer<HapticsSetupView> view_;
};

} // namespace vellaro
