#pragma once

#include "platform/updater/UpdateUserDriver.h"
#include "updates/ReleaseNotes.h"
#include "updates/UpdatePhase.h"

#include <QList>
#include <QObject>
#include <QString>

namespace vellaro {

// The update flow as the window shows it: the phase with its figures and
// texts, and the four parked replies of the updater. Taking a reply empties
// its slot before the caller runs it, so each is called at most once; a new
// reply replaces (and drops) the old one uncalled. Main thread only.
class UpdateViewModel : public QObject {
    Q_OBJECT

public:
    using Reply = UpdateUserDriver::Reply;
    using Action = UpdateUserDriver::Action;

    UpdatePhase phase() const { return phase_; }
    QString foundVersion() const { return foundVersion_; }
    bool foundAlreadyStaged() const { return foundAlreadyStaged_; }
    quint64 expectedLength() const { return expectedLength_; }
    quint64 receivedLength() const { return receivedLength_; }
    double extractProgress() const { return extractProgress_; }
    QString errorMessage() const { return errorMessage_; }
    const QList<ReleaseNotes>& notes() const { return notes_; }
    bool autoUpdateEnabled() const { return autoUpdateEnabled_; }

    void setPhase(UpdatePhase phase) { set(phase_, phase); }
    void setFoundVersion(const QString& version) { set(foundVersion_, version); }
    void setFoundAlreadyStaged(bool staged) { set(foundAlreadyStaged_, staged); }
    void setExpectedLength(quint64 length) { set(expectedLength_, length); }
    void setReceivedLength(quint64 length) { set(receivedLength_, length); }
    void setExtractProgress(double progress) { set(extractProgress_, progress); }
    void setErrorMessage(const QString& message) { set(errorMessage_, message); }
    void setNotes(const QList<ReleaseNotes>& notes);
    void setAutoUpdateEnabled(bool enabled) { set(autoUpdateEnabled_, enabled); }

    void parkUpdateReply(Reply reply) { updateReply_ = std::move(reply); }
    void parkInstallReply(Reply reply) { installReply_ = std::move(reply); }
    void parkAcknowledge(Action action) { acknowledge_ = std::move(action); }
    void parkCancelAction(Action action) { cancelAction_ = std::move(action); }
    Reply takeUpdateReply() { return std::exchange(updateReply_, nullptr); }
    Reply takeInstallReply() { return std::exchange(installReply_, nullptr); }
    Action takeAcknowledge() { return std::exchange(acknowledge_, nullptr); }
    Action takeCancelAction() { return std::exchange(cancelAction_, nullptr); }
    bool hasUpdateReply() const { return bool(updateReply_); }
    bool hasInstallReply() const { return bool(installReply_); }
    bool hasAcknowledge() const { return bool(acknowledge_); }
    bool hasCancelAction() const { return bool(cancelAction_); }

Q_SIGNALS:
    // Any shown field was assigned.
    void changed();

private:
    template <class T>
    void set(T& field, const T& value) {
        field = value;
        Q_EMIT changed();
    }

    UpdatePhase phase_ = UpdatePhase::checking;
    QString foundVersion_;
    bool foundAlreadyStaged_ = false;
    quint64 expectedLength_ = 0;
    quint64 receivedLength_ = 0;
    double extractProgress_ = 0;
    QString errorMessage_;
    QList<ReleaseNotes> notes_;
    bool autoUpdateEnabled_ = false;
    Reply updateReply_;
    Reply installReply_;
    Action acknowledge_;
    Action cancelAction_;
};

} // namespace vellaro
