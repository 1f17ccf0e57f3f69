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
    explicit Splitter(const DesktopEntry& entry) : entry_(entry) {}

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
        // Files and URLs (none are passed) and the deprecated codes expand
        // to nothing.
        case 'f':
        case 'F':
        case 'u':
        case 'U':
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

    void finishArgument() {
        if (!started_)
            return;
        if (icon_ && current_.isEmpty() && !hasQuotes_) {
            // %i on its own becomes "--icon" and the icon, or nothing.
            if (!entry_.icon.isEmpty())
                arguments_ << QStringLiteral("--icon") << entry_.icon;
        } else if (!(current_.isEmpty() && onlyCodes_ && !hasQuotes_)) {
            arguments_ << current_;
        }
        current_.clear();
        started_ = quoted_ = hasQuotes_ = icon_ = false;
        onlyCodes_ = true;
    }

    const DesktopEntry& entry_;
    QStringList arguments_;
    QString current_;
    bool started_ = false;
    bool quoted_ = false;
    bool hasQuotes_ = false;
    bool icon_ = false;
    bool onlyCodes_ = true;
};

} // namespace

std::optional<QStringList> ExecLine::arguments(const DesktopEntry& entry, QString* error) {
    Splitter splitter(entry);
    if (!splitter.run(entry.exec, error))
        return std::nullopt;
    return splitter.arguments();
}

} // namespace vellaro
