#pragma once

#include "updates/UpdateControls.h"

namespace vellaro::windowshot {

// An updater that never checks, for pictures: automatic checks on,
// automatic installs off.
class StillUpdates final : public UpdateControls {
public:
    void checkForUpdates() override {}
    bool automaticallyChecksForUpdates() const override { return checks_; }
    void setAutomaticallyChecksForUpdates(bool on) override { checks_ = on; }
    bool automaticallyDownloadsUpdates() const override { return downloads_; }
    void setAutomaticallyDownloadsUpdates(bool on) override { downloads_ = on; }
    void enableAutomaticDownloadsIfUnset() override {}
    QString lastCheckDescription() const override { return QStringLiteral("never checked"); }
    QString currentVersion() const override { return QStringLiteral("0"); }
    bool canUpdate() const override { return false; }
    QString cannotUpdateReason() const override { return {}; }

private:
    bool checks_ = true;
    bool downloads_ = false;
};

} // namespace vellaro::windowshot
