#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace vellaro {

// A copied text and what the clipboard history shows of it, derived once
// where it was read. Only bounded prefixes are laid out, so a text of any
// length costs about the same to show: a copy of 24 MB on one line gets a
// title of a few hundred characters, never the whole line.
class CopiedText {
public:
    static constexpr int titleCharacters = 300;
    static constexpr int previewCharacters = 1200;

    CopiedText() = default;
    explicit CopiedText(QString text);

    // As copied, untrimmed.
    const QString& text() const { return text_; }
    // Nothing but white space and line breaks.
    bool isBlank() const { return blank_; }
    // The first line of the trimmed text, cut after `titleCharacters`
    // characters.
    const QString& title() const { return title_; }
    // The first `previewCharacters` characters of the untrimmed text.
    const QString& preview() const { return preview_; }
    // The trimmed text when it is a web address written with the scheme
    // http or https, exactly so.
    const std::optional<QString>& webAddress() const { return webAddress_; }

    // The first `count` characters as the person sees them (an emoji with
    // its modifiers is one, a split surrogate pair never happens), reading
    // only as far as they reach.
    static QString leadingCharacters(QStringView text, int count);
    // The title of any text (also of a title stored by an older version).
    static QString titleOf(QStringView text);

private:
    QString text_;
    bool blank_ = true;
    QString title_;
    QString preview_;
    std::optional<QString> webAddress_;
};

} // namespace vellaro
