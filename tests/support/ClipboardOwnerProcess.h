#pragma once

#include "support/WaitUntil.h"

#include <QByteArray>
#include <QProcess>
#include <QStringList>
#include <QTemporaryFile>
#include <gtest/gtest.h>

#include <memory>

namespace vellaro::test {

// Another program owning the clipboard until the object goes: `xclip -quiet`
// (in the foreground, one target) or the Qt helper (text plus extra
// targets). Stopped by its own process id.
class ClipboardOwnerProcess {
public:
    static std::unique_ptr<ClipboardOwnerProcess> xclip(const QByteArray& data,
                                                        const QString& target) {
        auto owner = std::unique_ptr<ClipboardOwnerProcess>(new ClipboardOwnerProcess);
        EXPECT_TRUE(owner->file_.open());
        owner->file_.write(data);
        owner->file_.flush();
        owner->process_.start("xclip", {"-quiet", "-selection", "clipboard", "-t", target, "-i",
                                        owner->file_.fileName()});
        EXPECT_TRUE(owner->process_.waitForStarted()) << "xclip is in scripts/bootstrap";
        return owner;
    }
    // `program`: the clipboard_owner helper built with the tests.
    static std::unique_ptr<ClipboardOwnerProcess>
    qtHelper(const QString& program, const QString& text, const QStringList& extraTargets) {
        auto owner = std::unique_ptr<ClipboardOwnerProcess>(new ClipboardOwnerProcess);
        owner->process_.start(program, QStringList{text} + extraTargets);
        EXPECT_TRUE(owner->process_.waitForReadyRead(10000));
        return owner;
    }
    // Reads the clipboard as another program would: `xclip -o`. The event
    // loop keeps running, so this process can answer when it is the owner.
    static QByteArray readWithXclip(const QString& target) {
        QProcess xclip;
        xclip.start("xclip", {"-o", "-selection", "clipboard", "-t", target});
        EXPECT_TRUE(waitUntil([&] { return xclip.state() == QProcess::NotRunning; }));
        return xclip.readAllStandardOutput();
    }

    ~ClipboardOwnerProcess() {
        process_.kill();
        process_.waitForFinished();
    }

private:
    ClipboardOwnerProcess() { process_.setProcessChannelMode(QProcess::ForwardedErrorChannel); }
    QTemporaryFile file_;
    QProcess process_;
};

} // namespace vellaro::test
