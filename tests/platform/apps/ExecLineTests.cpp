#include "platform/apps/DesktopEntry.h"
#include "platform/apps/ExecLine.h"
#include "platform/apps/ProcessAppLauncher.h"

#include <gtest/gtest.h>

namespace vellaro {
namespace {

struct ExecCase {
    const char* name;
    const char* line;                  // as written in the file, before the string escapes
    std::vector<const char*> expected; // empty: malformed
};

class ExecLineTest : public ::testing::TestWithParam<ExecCase> {};

TEST_P(ExecLineTest, SplitsTheCommandLine) {
    const ExecCase& c = GetParam();
    std::optional<DesktopEntry> entry = DesktopEntry::parse(
        QByteArray("[Desktop Entry]\nName=Text Editor\nIcon=accessories-text-editor\nExec=") +
            c.line + "\n",
        QStringLiteral("C"));
    ASSERT_TRUE(entry);
    entry->path = QStringLiteral("/usr/share/applications/editor.desktop");
    QString error;
    const std::optional<QStringList> arguments = ExecLine::arguments(*entry, &error);
    if (c.expected.empty()) {
        EXPECT_FALSE(arguments) << c.name << ": "
                                << arguments->join(QLatin1Char('|')).toStdString();
        EXPECT_FALSE(error.isEmpty()) << c.name;
        return;
    }
    ASSERT_TRUE(arguments) << c.name << ": " << error.toStdString();
    QStringList expected;
    for (const char* argument : c.expected)
        expected << QString::fromUtf8(argument);
    EXPECT_EQ(*arguments, expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ExecLineTest,
    ::testing::Values(
        ExecCase{"plain words", "gedit --new-window", {"gedit", "--new-window"}},
        ExecCase{"repeated spaces", "gedit   --new-window ", {"gedit", "--new-window"}},
        ExecCase{"a quoted argument with spaces",
                 R"(sh -c "echo hi there")",
                 {"sh", "-c", "echo hi there"}},
        ExecCase{"escapes inside quotes",
                 R"(prog "a \"b\" \$HOME \`x\`")",
                 {"prog", "a \"b\" $HOME `x`"}},
        // In the file a literal backslash inside quotes takes four.
        ExecCase{"a backslash inside quotes", R"(prog "C:\\\\dir")", {"prog", "C:\\dir"}},
        ExecCase{"string escape \\s before quoting", R"(prog\sarg)", {"prog", "arg"}},
        ExecCase{"an empty quoted argument", R"(prog "" x)", {"prog", "", "x"}},
        ExecCase{"quotes joined to text", R"(prog --name="A B")", {"prog", "--name=A B"}},
        ExecCase{"file and URL codes vanish", "prog %U --flag %f", {"prog", "--flag"}},
        ExecCase{
            "a code inside an argument leaves the rest", "prog --open=%u", {"prog", "--open="}},
        ExecCase{"%% is a percent sign", "prog 100%%", {"prog", "100%"}},
        ExecCase{"%c is the name", "prog --title %c", {"prog", "--title", "Text Editor"}},
        ExecCase{"%k is the file", "prog %k", {"prog", "/usr/share/applications/editor.desktop"}},
        ExecCase{
            "%i is --icon and the icon", "prog %i", {"prog", "--icon", "accessories-text-editor"}},
        ExecCase{"deprecated codes vanish", "prog %d %D %n %N %v %m", {"prog"}},
        ExecCase{"an unbalanced quote", R"(prog "unfinished)", {}},
        ExecCase{"an unquoted semicolon", "prog ; rm -rf x", {}},
        ExecCase{"an unquoted pipe", "prog | cat", {}},
        ExecCase{"an unquoted dollar", "prog $HOME", {}},
        ExecCase{"an unquoted redirection", "prog > out", {}},
        ExecCase{"an unquoted backslash", R"(prog a\"b)", {}},
        ExecCase{"a lone backslash inside quotes", R"(prog "a\qb")", {}},
        ExecCase{"an unknown field code", "prog %z", {}},
        ExecCase{"a trailing percent sign", "prog %", {}}, ExecCase{"nothing to run", "   ", {}},
        ExecCase{"only a file code", "%f", {}}));

struct DocumentsCase {
    const char* name;
    const char* line;
    std::vector<std::vector<const char*>> commands;
};

class ExecLineDocumentsTest : public ::testing::TestWithParam<DocumentsCase> {};

// Two documents: a local file with a space in its name and a web address.
TEST_P(ExecLineDocumentsTest, PassesTheDocumentsAsTheLineAsks) {
    const DocumentsCase& c = GetParam();
    DesktopEntry entry;
    entry.exec = QString::fromUtf8(c.line);
    const QList<QUrl> documents{QUrl::fromLocalFile(QStringLiteral("/home/ada/my notes.txt")),
                                QUrl(QStringLiteral("https://example.org/a%20b"))};
    const std::optional<QList<QStringList>> commands = ExecLine::commandsOpening(entry, documents);
    ASSERT_TRUE(commands) << c.name;
    QList<QStringList> expected;
    for (const auto& command : c.commands) {
        QStringList arguments;
        for (const char* argument : command)
            arguments << QString::fromUtf8(argument);
        expected << arguments;
    }
    EXPECT_EQ(*commands, expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ExecLineDocumentsTest,
    ::testing::Values(
        DocumentsCase{"a file list in one launch",
                      "edit %F",
                      {{"edit", "/home/ada/my notes.txt", "https://example.org/a%20b"}}},
        DocumentsCase{
            "a URL list in one launch",
            "edit --new %U",
            {{"edit", "--new", "file:///home/ada/my%20notes.txt", "https://example.org/a%20b"}}},
        DocumentsCase{"one launch per file",
                      "edit %f",
                      {{"edit", "/home/ada/my notes.txt"}, {"edit", "https://example.org/a%20b"}}},
        DocumentsCase{"one launch per URL inside an argument",
                      "edit --open=%u",
                      {{"edit", "--open=file:///home/ada/my%20notes.txt"},
                       {"edit", "--open=https://example.org/a%20b"}}},
        DocumentsCase{"no field code takes no documents", "edit", {{"edit"}}}),
    [](const auto& info) {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

TEST(ProcessAppLauncherTest, RunsTerminalProgramsInsideATerminal) {
    DesktopEntry entry;
    entry.exec = QStringLiteral("htop -d 10");
    entry.terminal = true;
    const std::optional<QStringList> command = ProcessAppLauncher::commandLine(entry, nullptr);
    ASSERT_TRUE(command);
    ASSERT_EQ(command->size(), 5);
    EXPECT_TRUE(command->at(0).endsWith(QLatin1String("x-terminal-emulator")) ||
                command->at(0) == QLatin1String("xterm"))
        << command->at(0).toStdString();
    EXPECT_EQ(command->mid(1), (QStringList{"-e", "htop", "-d", "10"}));
}

TEST(ProcessAppLauncherTest, AMalformedLineStartsNothing) {
    DesktopEntry entry;
    entry.exec = QStringLiteral("touch \"unfinished");
    QString error;
    ProcessAppLauncher launcher;
    EXPECT_FALSE(launcher.launch(entry, &error));
    EXPECT_EQ(error, QStringLiteral("a quote is not closed"));
}

} // namespace
} // namespace vellaro
