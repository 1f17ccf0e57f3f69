#pragma once

#include <QString>

namespace vellaro {

// What the settings console's UPDATES group, the setup assistant and the
// update window use of the update service.
class UpdateControls {
public:
    virtual ~UpdateControls() = default;

    // A check the person asked for; the update window shows how it goes.
    virtual void checkForUpdates() = 0;

    virtual bool automaticallyChecksForUpdates() const = 0;
    virtual void setAutomaticallyChecksForUpdates(bool on) = 0;
    // Download in the background, install when Vellaro quits.
    virtual bool automaticallyDownloadsUpdates() const = 0;
    virtual void setAutomaticallyDownloadsUpdates(bool on) = 0;
    // First run: automatic installs (and so checks) on, unless the person
    // already chose either way about installs.
    virtual void enableAutomaticDownloadsIfUnset() = 0;

    // "never checked", or "checked " and how long ago ("checked 5 min. ago").
    virtual QString lastCheckDescription() const = 0;
    // The running version, "0" when unknown.
    virtual QString currentVersion() const = 0;

    virtual bool canUpdate() const = 0;
    // Why this copy cannot update itself; empty when it can.
    virtual QString cannotUpdateReason() const = 0;
};

} // namespace vellaro
