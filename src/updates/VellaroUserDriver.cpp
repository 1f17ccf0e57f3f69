#include "updates/VellaroUserDriver.h"

#include "updates/UpdateViewModel.h"
#include "updates/UpdateWindowPresenter.h"

#include <limits>

namespace vellaro {

VellaroUserDriver::VellaroUserDriver(UpdateViewModel& model, UpdateWindowPresenter& window)
    : model_(model), window_(window) {}

void VellaroUserDriver::showUserInitiatedUpdateCheck(Action cancel) {
    model_.parkCancelAction(std::move(cancel));
    model_.setPhase(UpdatePhase::checking);
    window_.show();
}

void VellaroUserDriver::showUpdateFound(const AppcastItem& item, UpdateStage stage, Reply reply) {
    model_.parkUpdateReply(std::move(reply));
    model_.setFoundVersion(item.displayVersion);
    model_.setFoundAlreadyStaged(stage != UpdateStage::notDownloaded);
    model_.setExpectedLength(quint64(std::max<qint64>(0, item.length)));
    // No newer item was collected from the feed: show this one's notes.
    if (model_.notes().isEmpty())
        model_.setNotes({ReleaseNotes::parse(item.description, item.displayVersion)});
    model_.setPhase(UpdatePhase::found);
    window_.show();
}

void VellaroUserDriver::showUpdateNotFound(Action acknowledge) {
    model_.parkAcknowledge(std::move(acknowledge));
    model_.setPhase(UpdatePhase::upToDate);
    window_.show();
}

void VellaroUserDriver::showUpdaterError(const QString& message, Action acknowledge) {
    model_.parkAcknowledge(std::move(acknowledge));
    model_.setErrorMessage(message);
    model_.setPhase(UpdatePhase::error);
    window_.show();
}

void VellaroUserDriver::showDownloadInitiated(Action cancel) {
    model_.parkCancelAction(std::move(cancel));
    model_.setReceivedLength(0);
    model_.setPhase(UpdatePhase::downloading);
}

void VellaroUserDriver::showDownloadDidReceiveExpectedContentLength(quint64 length) {
    model_.setExpectedLength(length);
    model_.setReceivedLength(0);
}

void VellaroUserDriver::showDownloadDidReceiveDataOfLength(quint64 length) {
    // Saturates rather than wrapping past the top of the range.
    const quint64 received = model_.receivedLength();
    model_.setReceivedLength(length > std::numeric_limits<quint64>::max() - received
                                 ? std::numeric_limits<quint64>::max()
                                 : received + length);
}

void VellaroUserDriver::showDownloadDidStartExtractingUpdate() {
    model_.setExtractProgress(0);
    model_.setPhase(UpdatePhase::extracting);
}

void VellaroUserDriver::showExtractionReceivedProgress(double progress) {
    model_.setExtractProgress(progress);
}

void VellaroUserDriver::showReadyToInstallAndRelaunch(Reply reply) {
    model_.parkInstallReply(std::move(reply));
    model_.setPhase(UpdatePhase::readyToInstall);
    window_.show();
}

void VellaroUserDriver::showInstallingUpdate() {
    model_.setPhase(UpdatePhase::installing);
}

void VellaroUserDriver::showUpdateInstalledAndRelaunched(bool, Action acknowledge) {
    if (acknowledge)
        acknowledge();
}

void VellaroUserDriver::showUpdateInFocus() {
    window_.show();
}

void VellaroUserDriver::dismissUpdateInstallation() {
    window_.orderOut();
}

} // namespace vellaro
