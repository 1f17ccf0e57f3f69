#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace vellaro::test {

// Collects the log lines of one category while it is alive.
class LogCapture {
public:
    explicit LogCapture(const char* category) : category_(category) {
        current() = this;
        previous_ = qInstallMessageHandler(&LogCapture::handle);
    }
    ~LogCapture() {
        qInstallMessageHandler(previous_);
        current() = nullptr;
    }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    const QStringList& lines() const { return lines_; }
    int count(const QString& fragment) const {
        int n = 0;
        for (const QString& line : lines_)
            n += line.contains(fragment) ? 1 : 0;
        return n;
    }

private:
    static LogCapture*& current() {
        static LogCapture* capture = nullptr;
        return capture;
    }
    static void handle(QtMsgType, const QMessageLogContext& context, const QString& message) {
        LogCapture* capture = current();
        if (capture && context.category && qstrcmp(context.category, capture->category_) == 0)
            capture->lines_.append(message);
    }

    const char* category_;
    QtMessageHandler previous_ = nullptr;
    QStringList lines_;
};

} // namespace vellaro::test
