#pragma once

#include "platform/clipboard/Pasteboard.h"

#include <vector>

namespace vellaro::test {

// The clipboard as the provider sees it: copies made elsewhere arrive with
// their content read at once or later, the program's own writes are kept.
class FakePasteboard final : public Pasteboard {
public:
    std::int64_t changeCount() const override { return count_; }
    const std::optional<PasteboardContent>& content() const override { return content_; }

    // Another program copies; its content is read at once unless `readLater`.
    void copyElsewhere(PasteboardContent content, bool readLater = false) {
        ++count_;
        content.changeCount = count_;
        if (readLater) {
            unread_ = std::move(content);
            return;
        }
        content_ = std::move(content);
        Q_EMIT contentRead(count_);
    }
    // The read started by the last copy ends.
    void finishRead() {
        content_ = std::move(unread_);
        Q_EMIT contentRead(count_);
    }

    void writeText(const QString& text) override {
        PasteboardContent written;
        written.text = CopiedText(text);
        writeOwn(std::move(written));
    }
    void writeFiles(const QList<QUrl>& files) override {
        PasteboardContent written;
        written.files = files;
        writeOwn(std::move(written));
    }
    void writeImage(const QByteArray& data, const QString& imageType) override {
        PasteboardContent written;
        written.imageData = data;
        written.imageType = imageType;
        writeOwn(std::move(written));
    }

    void copyToPrimary() override {
        if (content_)
            primary = content_;
    }

    std::vector<PasteboardContent> writes;
    std::optional<PasteboardContent> primary;

private:
    void writeOwn(PasteboardContent written) {
        ++count_;
        written.changeCount = count_;
        writes.push_back(written);
        content_ = std::move(written);
    }

    std::int64_t count_ = 1;
    std::optional<PasteboardContent> content_;
    std::optional<PasteboardContent> unread_;
};

} // namespace vellaro::test
