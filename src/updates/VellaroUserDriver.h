#pragma once

#include "platform/updater/UpdateUserDriver.h"

namespace vellaro {

class UpdateViewModel;
class UpdateWindowPresenter;

// Turns the updater's calls into model changes and parks its replies in
// the model; shows the window only where a person must answer or read.
class VellaroUserDriver final : public UpdateUserDriver {
public:
    VellaroUserDriver(UpdateViewModel& model, UpdateWindowPresenter& window);

    void showUserInitiatedUpdateCheck(Action cancel) override;
    void showUpdateFound(const AppcastItem& item, UpdateStage stage, Reply reply) override;
    void showUpdateNotFound(Action acknowledge) override;
    void showUpdaterError(const QString& message, Action acknowledge) override;
    void showDownloadInitiated(Action cancel) override;
    void showDownloadDidReceiveExpectedContentLength(quint64 length) override;
    void showDownloadDidReceiveDataOfLength(quint64 length) override;
    void showDownloadDidStartExtractingUpdate() override;
    void showExtractionReceivedProgress(double progress) override;
    void showReadyToInstallAndRelaunch(Reply reply) override;
    void showInstallingUpdate() override;
    void showUpdateInstalledAndRelaunched(bool relaunched, Action acknowledge) override;
    void showUpdateInFocus() override;
    void dismissUpdateInstallation() override;

private:
    UpdateViewModel& model_;
    UpdateWindowPresenter& window_;
};

} // namespace vellaro
