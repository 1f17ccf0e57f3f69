#pragma once

#include "platform/updater/AppcastItem.h"
#include "platform/updater/UpdateChoice.h"
#include "platform/updater/UpdateStage.h"

#include <QString>

#include <functional>

namespace vellaro {

// What the updater asks and tells the person using it. The updater calls
// these on the main thread, in the order of its flow; every reply and
// acknowledgement is meant to be called at most once.
class UpdateUserDriver {
public:
    using Reply = std::function<void(UpdateChoice)>;
    using Action = std::function<void()>;

    virtual ~UpdateUserDriver() = default;

    virtual void showUserInitiatedUpdateCheck(Action cancel) = 0;
    virtual void showUpdateFound(const AppcastItem& item, UpdateStage stage, Reply reply) = 0;
    virtual void showUpdateNotFound(Action acknowledge) = 0;
    virtual void showUpdaterError(const QString& message, Action acknowledge) = 0;
    virtual void showDownloadInitiated(Action cancel) = 0;
    virtual void showDownloadDidReceiveExpectedContentLength(quint64 length) = 0;
    virtual void showDownloadDidReceiveDataOfLength(quint64 length) = 0;
    virtual void showDownloadDidStartExtractingUpdate() = 0;
    virtual void showExtractionReceivedProgress(double progress) = 0;
    virtual void showReadyToInstallAndRelaunch(Reply reply) = 0;
    virtual void showInstallingUpdate() = 0;
    virtual void showUpdateInstalledAndRelaunched(bool relaunched, Action acknowledge) = 0;
    virtual void showUpdateInFocus() = 0;
    virtual void dismissUpdateInstallation() = 0;
};

} // namespace vellaro
