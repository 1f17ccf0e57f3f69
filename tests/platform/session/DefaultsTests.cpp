#include "platform/session/Defaults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vellaro;

TEST(Defaults, FlagsReachTheFileAtOnceUnderTheirOwnNames) {
    QTemporaryDir temp;
    const QString path = temp.filePath(QStringLiteral("Vellaro/defaults.ini"));
    Defaults defaults(path);
    EXPECT_FALSE(defaults.contains(QStringLiteral("vellaroOnboardingCompleted")));
    EXPECT_FALSE(defaults.boolValue(QStringLiteral("vellaroOnboardingCompleted")));
    defaults.setValue(QStringLiteral("vellaroOnboardingCompleted"), true);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("vellaroOnboardingCompleted=true"));

    Defaults reread(path);
    EXPECT_TRUE(reread.boolValue(QStringLiteral("vellaroOnboardingCompleted")));
    reread.remove(QStringLiteral("vellaroOnboardingCompleted"));
    EXPECT_FALSE(Defaults(path).contains(QStringLiteral("vellaroOnboardingCompleted")));
}

TEST(Defaults, BooleansReadFromHandEditedText) {
    QTemporaryDir temp;
    const QString path = temp.filePath(QStringLiteral("defaults.ini"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[General]\na=true\nb=false\nc=1\nd=no\ne=YES\n");
    file.close();
    Defaults defaults(path);
    const std::pair<const char*, bool> cases[] = {{"a", true},  {"b", false}, {"c", true},
                                                  {"d", false}, {"e", true},  {"missing", false}};
    for (const auto& [key, expected] : cases)
        EXPECT_EQ(defaults.boolValue(QString::fromLatin1(key)), expected) << key;
}

TEST(Defaults, WithoutAFileValuesStayInMemory) {
    Defaults defaults{QString()};
    defaults.setValue(QStringLiteral("flag"), true);
    EXPECT_TRUE(defaults.boolValue(QStringLiteral("flag")));
    defaults.remove(QStringLiteral("flag"));
    EXPECT_FALSE(defaults.contains(QStringLiteral("flag")));
}

TEST(Defaults, TheFileIsTheOneQSettingsWrites) {
    QTemporaryDir temp;
    const std::pair<const char*, QVariant> values[] = {
        {"vellaroOnboardingCompleted", true},
        {"NSWindow Frame vellaroSettings", QStringLiteral("10 20 640 480")},
        {"texts", QStringLiteral("a, b; \"c\" \\ \t\x01f ü€")},
        {"edges", QStringLiteral(" @spaced ")},
        {"SULastCheckTime", QStringLiteral("2026-12-11T06:00:00Z")},
    };
    const QString ours = temp.filePath(QStringLiteral("ours.ini"));
    const QString qts = temp.filePath(QStringLiteral("qt.ini"));
    {
        Defaults defaults(ours);
        QSettings settings(qts, QSettings::IniFormat);
        for (const auto& [key, value] : values) {
            EXPECT_TRUE(defaults.setValue(QString::fromLatin1(key), value));
            settings.setValue(QString::fromLatin1(key), value);
        }
    }
    QFile a(ours);
    QFile b(qts);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly));
    ASSERT_TRUE(b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll());
    const Defaults reread(qts);
    for (const auto& [key, value] : values)
        EXPECT_EQ(reread.value(QString::fromLatin1(key)).toString(), value.toString()) << key;
}

TEST(Defaults, TextThatDoesNotParseIsKeptAsideBeforeTheFirstSave) {
    QTemporaryDir temp;
    const QString path = temp.filePath(QStringLiteral("defaults.ini"));
    const QByteArray broken = "[General]\nvellaroOnboardingCompleted=true\n[unclosed\nx=1\n";
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(broken);
    }
    Defaults defaults(path);
    EXPECT_FALSE(defaults.contains(QStringLiteral("vellaroOnboardingCompleted")));
    EXPECT_TRUE(defaults.setValue(QStringLiteral("flag"), true));
    const QStringList aside =
        QDir(temp.path()).entryList({QStringLiteral("defaults.ini.rejected-*")}, QDir::Files);
    ASSERT_EQ(aside.size(), 1);
    QFile kept(temp.filePath(aside.first()));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), broken);
    EXPECT_TRUE(Defaults(path).boolValue(QStringLiteral("flag")));
}

TEST(Defaults, AFileAtItsLimitRoundTripsAndALargerOneIsNotWritten) {
    QTemporaryDir temp;
    const QString path = temp.filePath(QStringLiteral("defaults.ini"));
    // "[General]\nk=<value>\n" at exactly the limit.
    const qsizetype room = Defaults::maximumSize - qsizetype(sizeof "[General]\nk=\n" - 1);
    const QString value(room, QLatin1Char('v'));
    {
        Defaults defaults(path);
        ASSERT_TRUE(defaults.setValue(QStringLiteral("k"), value));
        EXPECT_FALSE(defaults.setValue(QStringLiteral("k"), value + QLatin1Char('v')));
    }
    EXPECT_EQ(QFileInfo(path).size(), Defaults::maximumSize);
    EXPECT_EQ(Defaults(path).value(QStringLiteral("k")).toString(), value);
}
