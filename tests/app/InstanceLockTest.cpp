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

TEST(InstanceLock, DisplayNameCannotEscapeTheFolder) {
    InstanceLock lock("/run/user/1", "../../etc/x:0");
    EXPECT_EQ(lock.path(), "/run/user/1/vellaro-.._.._etc_x:0.lock");
}

} // namespace
} // namespace vellaro
