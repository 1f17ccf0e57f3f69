#include "platform/apps/ExecLine.h"

namespace vellaro {

namespace {

// Characters that must be quoted to appear in an argument.
bool isReserved(QChar c) {
    static const QString reserved = QStringLiteral("\t\n\"'\\><~|&;$*?#()`");
    return reserved.contains(c);
}

// Characters a backslash may escape inside quotes.
bool isQuotedEscape(QChar c) {
    return c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
           c == QLatin1Char('\\');
}

bool fail(QString* error, const QString& why) {
    if (error)
        *error = why;
    return false;
}

class Splitter {
public:
    Splitter(const DesktopEntry& entry, const QList<QUrl>& documents)
        : entry_(entry), documents_(documents) {}

    bool run(const QString& line, QString* error) {
        const qsizetype n = line.size();
        for (qsizetype i = 0; i < n; ++i) {
            const QChar c = line[i];
            if (quoted_) {
                if (c == QLatin1Char('"')) {
                    quoted_ = false;
                } else if (c == QLatin1Char('\\')) {
                    if (i + 1 == n || !isQuotedEscape(line[i + 1]))
                        return fail(error, QStringLiteral("a lone backslash inside quotes"));
                    current_ += line[++i];
                } else if (c == QLatin1Char('%')) {
                    if (!fieldCode(line, i, error))
                        return false;
                } else {
                    current_ += c;
                }
                continue;
            }
            if (c == QLatin1Char(' ')) {
                finishArgument();
            } else if (c == QLatin1Char('"')) {
                quoted_ = true;
                started_ = true;
                hasQuotes_ = true;
            } else if (c == QLatin1Char('%')) {
                if (!fieldCode(line, i, error))
                    return false;
            } else if (isReserved(c)) {
                return fail(error, QStringLiteral("the character %1 must be quoted").arg(c));
            } else {
                current_ += c;
                started_ = true;
            }
        }
        if (quoted_)
            return fail(error, QStringLiteral("a quote is not closed"));
        finishArgument();
        if (arguments_.isEmpty())
            return fail(error, QStringLiteral("there is no program to run"));
        return true;
    }

    QStringList arguments() const { return arguments_; }
    // The line took a single file or URL (%f, %u).
    bool takesOneDocument() const { return takesOne_; }

private:
    bool fieldCode(const QString& line, qsizetype& i, QString* error) {
        if (i + 1 == line.size())
            return fail(error, QStringLiteral("the line ends with %"));
        const QChar code = line[++i];
        started_ = true;
        switch (code.unicode()) {
        case '%':
            current_ += QLatin1Char('%');
            break;
        case 'c':
            current_ += entry_.name;
            break;
        case 'k':
            current_ += entry_.path;
            break;
        case 'i':
            icon_ = true;
            break;
        case 'f':
        case 'u':
            takesOne_ = true;
            if (!documents_.isEmpty()) {
                current_ += documentText(documents_.first(), code == QLatin1Char('f'));
                break;
            }
            onlyCodes_ = onlyCodes_ && current_.isEmpty();
            break;
        case 'F':
        case 'U':
            if (current_.isEmpty() && !hasQuotes_) {
                // A list stands as arguments of its own; finishArgument adds it.
                list_ = code;
            } else if (!documents_.isEmpty()) {
                current_ += documentText(documents_.first(), code == QLatin1Char('F'));
                break;
            }
            onlyCodes_ = onlyCodes_ && current_.isEmpty();
            break;
        // The deprecated codes expand to nothing.
        case 'd':
        case 'D':
        case 'n':
        case 'N':
        case 'v':
        case 'm':
            onlyCodes_ = onlyCodes_ && current_.isEmpty();
            break;
        default:
            return fail(error, QStringLiteral("unknown field code %%1").arg(code));
        }
        return true;
    }

    static QString documentText(const QUrl& document, bool asPath) {
        return asPath && document.isLocalFile() ? document.toLocalFile()
                                                : document.toString(QUrl::FullyEncoded);
    }

    void finishArgument() {
        if (!started_)
            return;
        if (!list_.isNull() && current_.isEmpty() && !hasQuotes_) {
            for (const QUrl& document : documents_)
                arguments_ << documentText(document, list_ == QLatin1Char('F'));
        } else if (icon_ && current_.isEmpty() && !hasQuotes_) {
            // %i on its own becomes "--icon" and the icon, or nothing.
            if (!entry_.icon.isEmpty())
                arguments_ << QStringLiteral("--icon") << entry_.icon;
        } else if (!(current_.isEmpty() && onlyCodes_ && !hasQuotes_)) {
            arguments_ << current_;
        }
        current_.clear();
        started_ = quoted_ = hasQuotes_ = icon_ = false;
        onlyCodes_ = true;
        list_ = QChar();
    }

    const DesktopEntry& entry_;
    const QList<QUrl>& documents_;
    QStringList arguments_;
    QString current_;
    bool started_ = false;
    bool quoted_ = false;
    bool hasQuotes_ = false;
    bool icon_ = false;
    bool onlyCodes_ = true;
    bool takesOne_ = false;
    QChar list_; // 'F' or 'U' while the argument is a list code alone
};

} // namespace

std::optional<QStringList> ExecLine::arguments(const DesktopEntry& entry, QString* error) {
    const QList<QUrl> none;
    Splitter splitter(entry, none);
    if (!splitter.run(entry.exec, error))
        return std::nullopt;
    return splitter.arguments();
}

std::optional<QList<QStringList>>
ExecLine::commandsOpening(const DesktopEntry& entry, const QList<QUrl>& documents, QString* error) {
    Splitter all(entry, documents);
    if (!all.run(entry.exec, error))
        return std::nullopt;
    if (!all.takesOneDocument() || documents.size() < 2)
        return QList<QStringList>{all.arguments()};
    QList<QStringList> commands;
    for (const QUrl& document : documents) {
        const QList<QUrl> one{document};
        Splitter single(entry, one);
        single.run(entry.exec, error);
        commands.append(single.arguments());
    }
    return commands;
}

} // namespace vellaro
