#include "platform/session/Defaults.h"

#include <QFile>
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
