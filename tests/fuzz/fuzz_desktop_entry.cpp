// Desktop entries and their Exec lines on any bytes: parsing never crashes,
// a parsed line gives a program to run, and a line rebuilt from the
// arguments it gave (each quoted) splits into the same arguments.
#include "FuzzCheck.h"
#include "platform/apps/DesktopEntry.h"
#include "platform/apps/ExecLine.h"

#include <cstddef>
#include <cstdint>

using namespace vellaro;

namespace {

QString quoted(const QString& argument) {
    QString out = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        // A field code inside quotes still expands: keep the percent sign.
        out += c == QLatin1Char('%') ? QStringLiteral("%%") : QString(c);
    }
    return out + QLatin1Char('"');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));
    std::optional<DesktopEntry> entry = DesktopEntry::parse(text, QStringLiteral("de_DE.UTF-8"));
    if (!entry)
        return 0;
    const std::optional<QStringList> arguments = ExecLine::arguments(*entry);
    if (!arguments)
        return 0;
    FUZZ_CHECK(!arguments->isEmpty());

    QStringList parts;
    for (const QString& argument : *arguments)
        parts << quoted(argument);
    DesktopEntry rebuilt;
    rebuilt.exec = parts.join(QLatin1Char(' '));
    const std::optional<QStringList> again = ExecLine::arguments(rebuilt);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(*again == *arguments);
    return 0;
}
