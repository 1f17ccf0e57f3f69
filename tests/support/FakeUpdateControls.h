#pragma once

#include "updates/UpdateControls.h"

namespace vellaro::test {

// The update service's two automatic flags, held here; `canUpdate` and its
// reason are the test's to set.
class FakeUpdateControls final : public UpdateControls {
public:
    bool checks = false;
    bool downloads = false;
    bool chosen = false; // the person chose about installs before
    bool updatable = true;
    QString reason;
    QString lastCheck = QStringLiteral("never checked");
    QString version = QStringLiteral("1.0");
    int checkCalls = 0;

    void checkForUpdates() override { ++checkCalls; }
    bool automaticallyChecksForUpdates() const override { return checks; }
    void setAutomaticallyChecksForUpdates(bool on) override { checks = on; }
    bool automaticallyDownloadsUpdates() const override { return downloads; }
    void setAutomaticallyDownloadsUpdates(bool on) override {
        downloads = on;
        chosen = true;
    }
    void enableAutomaticDownloadsIfUnset() override {
        if (chosen)
            return;
        checks = downloads = chosen = true;
    }
    QString lastCheckDescription() const override { return lastCheck; }
    QString currentVersion() const override { return version; }
    bool canUpdate() const override { return updatable; }
    QString cannotUpdateReason() const override { return reason; }
};

} // namespace vellaro::test
