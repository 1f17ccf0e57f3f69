#include "platform/session/UserFolders.h"

#include <QByteArray>
#include <gtest/gtest.h>

using namespace vellaro;

namespace {
// Sets an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~ScopedEnv() {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};
} // namespace

TEST(UserFolders, FollowTheXdgVariablesAndNeverGoRelative) {
    struct Case {
        const char* name;
        QByteArray home;
        QByteArray xdg; // set for all three XDG variables
        QString data;
        QString config;
        QString cache;
    };
    const Case cases[] = {
        {"XDG variables", "/home/u", "/xdg", "/xdg/Vellaro", "/xdg/Vellaro", "/xdg/Vellaro"},
        {"HOME only", "/home/u", QByteArray(), "/home/u/.local/share/Vellaro",
         "/home/u/.config/Vellaro", "/home/u/.cache/Vellaro"},
        {"relative XDG variables", "/home/u", "rel", "/home/u/.local/share/Vellaro",
         "/home/u/.config/Vellaro", "/home/u/.cache/Vellaro"},
        {"no HOME", QByteArray(), QByteArray(), {}, {}, {}},
        {"relative HOME", "home", QByteArray(), {}, {}, {}},
        {"no HOME but XDG variables", QByteArray(), "/xdg", "/xdg/Vellaro", "/xdg/Vellaro",
         "/xdg/Vellaro"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedEnv home("HOME", c.home);
        ScopedEnv data("XDG_DATA_HOME", c.xdg);
        ScopedEnv config("XDG_CONFIG_HOME", c.xdg);
        ScopedEnv cache("XDG_CACHE_HOME", c.xdg);
        EXPECT_EQ(dataFolder(), c.data);
        EXPECT_EQ(configFolder(), c.config);
        EXPECT_EQ(cacheFolder(), c.cache);
    }
}
