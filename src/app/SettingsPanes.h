#pragma once

#include <QString>

namespace vellaro {

// Where the permission explainers send the user: the desktop's settings and
// the file manager.
class SettingsPanes {
public:
    virtual ~SettingsPanes() = default;
    // The desktop's settings where window access is decided. Returns why
    // nothing could be opened; empty when it opened.
    virtual QString openWindowAccess() = 0;
    // The desktop's settings for the microphone.
    virtual void openMicrophone() = 0;
    // Shows this program's own file in the file manager.
    virtual void revealApplication() = 0;

    // The running desktop's settings application and file manager.
    static SettingsPanes& desktop();
};

} // namespace vellaro
