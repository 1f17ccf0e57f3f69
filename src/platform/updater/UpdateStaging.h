#pragma once

#include "platform/updater/AppcastItem.h"
#include "platform/updater/InstallLocation.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace vellaro {

// Where an update waits before it is installed: on the install's own file
// system, so that installing is a rename. An AppImage is staged as a hidden
// file beside itself; a version folder is unpacked under versions/ as
// .<build>.partial and renamed to <build> once whole.
class UpdateStaging {
public:
    explicit UpdateStaging(InstallLocation location);

    // Where the package is downloaded to.
    QString downloadPath(const QString& build) const;
    // The staged AppImage file or version folder.
    QString stagedPath(const QString& build) const;
    // Staged and carrying `build` inside.
    bool isStaged(const QString& build) const;

    // Removes downloads and unpacked folders a stopped run left behind.
    void removeLeftovers() const;
    void removeDownload(const QString& build) const;

    // Checks the downloaded bytes (exact length, then signature) before
    // anything reads them, then stages them if the build number they carry
    // is the announced one. The download is gone afterwards either way. Blocking: run it off the
    // main thread. Empty on success.
    QString verifyAndStage(const AppcastItem& item, const QByteArray& publicKey,
                           const std::function<void(double)>& progress) const;

private:
    QString folder() const;
    QString stageAppImage(const QString& download, const QString& build) const;
    QString stageVersionFolder(const QString& download, const QString& build,
                               const std::function<void(double)>& progress) const;

    InstallLocation location_;
};

} // namespace vellaro
