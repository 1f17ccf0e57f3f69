#include "app/InstanceLock.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace vellaro {
namespace {

TEST(InstanceLock, SecondCopyOnTheSameDisplayIsRefused) {
    QTemporaryDir runtime;
    InstanceLock first(runtime.path(), ":1");
    ASSERT_TRUE(first.tryLock()) << first.errorString().toStdString();

    InstanceLock second(runtime.path(), ":1");
    EXPECT_FALSE(second.tryLock());
    EXPECT_FALSE(second.errorString().isEmpty());
    EXPECT_TRUE(second.heldByAnother());
    EXPECT_TRUE(first.isLocked()); // the first copy is left alone

    InstanceLock otherDisplay(runtime.path(), ":2");
    EXPECT_TRUE(otherDisplay.tryLock());
}

TEST(InstanceLock, ReleasedWhenTheHolderGoesAway) {
    QTemporaryDir runtime;
    {
        InstanceLock first(runtime.path(), ":1");
        ASSERT_TRUE(first.tryLock());
    }
    InstanceLock next(runtime.path(), ":1");
    EXPECT_TRUE(next.tryLock());
}

TEST(InstanceLock, HolderThatDiedLeavesNoStaleLock) {
    QTemporaryDir runtime;
    const pid_t child = fork();
    if (child == 0) {
        InstanceLock lock(runtime.path(), ":1");
        _exit(lock.tryLock() ? 0 : 1); // dies holding it
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    InstanceLock next(runtime.path(), ":1");
    EXPECT_TRUE(next.tryLock());
}

// A lock file that cannot be made is not another copy running.
TEST(InstanceLock, UnusableFolderIsNotAnotherCopy) {
    QTemporaryDir runtime;
    InstanceLock lock(runtime.filePath("missing"), ":1");
    EXPECT_FALSE(lock.tryLock());
    EXPECT_FALSE(lock.heldByAnother());
    EXPECT_FALSE(lock.errorString().isEmpty());
}

TEST(InstanceLock, EverySpellingOfADisplaySharesOneLock) {
    const std::pair<const char*, const char*> cases[] = {
        {":0", ":0.0"},   {":0", "unix:0"},       {":0", "unix:0.1"},
        {":10.2", ":10"}, {"host:3.0", "host:3"}, {"[::1]:0.0", "[::1]:0"},
    };
    for (const auto& [one, other] : cases) {
        SCOPED_TRACE(std::string(one) + " / " + other);
        EXPECT_EQ(InstanceLock("/run/user/1", one).path(),
                  InstanceLock("/run/user/1", other).path());
    }
    EXPECT_NE(InstanceLock("/run/user/1", ":0").path(), InstanceLock("/run/user/1", ":1").path());
    EXPECT_NE(InstanceLock("/run/user/1", ":0").path(),
              InstanceLock("/run/user/1", "host:0").path());
}

TEST(InstanceLock, DisplayNameCannotEscapeTheFolder) {
    InstanceLock lock("/run/user/1", "../../etc/x:0");
    EXPECT_EQ(lock.path(), "/run/user/1/vellaro-.._.._etc_x:0.lock");
}

} // namespace
} // namespace vellaro
