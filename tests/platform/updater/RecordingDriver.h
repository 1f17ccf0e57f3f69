#pragma once

#include "platform/updater/UpdateUserDriver.h"

#include <QStringList>

namespace vellaro::test {

// Records every call as one line and keeps the latest reply of each kind,
// so a test answers like a person would, when it chooses.
class RecordingDriver final : public UpdateUserDriver {
public:
    QStringList calls;
    Reply updateReply;
    Reply installReply;
    Action acknowledge;
    Action cancel;
    QString errorMessage;
    AppcastItem found;
    UpdateStage stage = UpdateStage::notDownloaded;
    std::function<void()> onDownloadInitiated;

    void showUserInitiatedUpdateCheck(Action cancelCheck) override {
        cancel = std::move(cancelCheck);
        calls << "checking";
    }
    void showUpdateFound(const AppcastItem& item, UpdateStage itemStage, Reply reply) override {
        found = item;
        stage = itemStage;
        updateReply = std::move(reply);
        calls << QStringLiteral("found %1%2")
                     .arg(item.buildVersion,
                          itemStage == UpdateStage::notDownloaded ? "" : " staged");
    }
    void showUpdateNotFound(Action ack) override {
        acknowledge = std::move(ack);
        calls << "not found";
    }
    void showUpdaterError(const QString& message, Action ack) override {
        errorMessage = message;
        acknowledge = std::move(ack);
        calls << "error";
    }
    void showDownloadInitiated(Action cancelDownload) override {
        cancel = std::move(cancelDownload);
        calls << "download";
        if (onDownloadInitiated)
            onDownloadInitiated();
    }
    void showDownloadDidReceiveExpectedContentLength(quint64 length) override {
        calls << QStringLiteral("expect %1").arg(length);
        received = 0;
    }
    void showDownloadDidReceiveDataOfLength(quint64 length) override { received += length; }
    void showDownloadDidStartExtractingUpdate() override { calls << "extracting"; }
    void showExtractionReceivedProgress(double progress) override { lastProgress = progress; }
    void showReadyToInstallAndRelaunch(Reply reply) override {
        installReply = std::move(reply);
        calls << "ready";
    }
    void showInstallingUpdate() override { calls << "installing"; }
    void showUpdateInstalledAndRelaunched(bool relaunched, Action ack) override {
        calls << QStringLiteral("installed%1").arg(relaunched ? " relaunched" : "");
        ack();
    }
    void showUpdateInFocus() override { calls << "in focus"; }
    void dismissUpdateInstallation() override { calls << "dismiss"; }

    quint64 received = 0;
    double lastProgress = -1;
};

} // namespace vellaro::test
