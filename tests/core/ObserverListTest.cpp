#include "core/ObserverList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vellaro {
namespace {

using Log = std::vector<std::string>;

TEST(ObserverList, CallsInTheOrderAddedWithTheArguments) {
    ObserverList<int, int> list;
    Log log;
    list.add(2, [&](int value) { log.push_back("b" + std::to_string(value)); });
    list.add(1, [&](int value) { log.push_back("a" + std::to_string(value)); });
    list.notify(7);
    EXPECT_EQ(log, (Log{"b7", "a7"}));
}

TEST(ObserverList, ChangesDuringANotificationTakeEffectAtOnceForRemovalsOnly) {
    ObserverList<int> list;
    Log log;
    list.add(1, [&] {
        log.push_back("first");
        list.remove(1); // itself: its callback must outlive this call
        list.remove(2);
        list.add(3, [&] { log.push_back("added"); });
    });
    list.add(2, [&] { log.push_back("removed"); });
    list.notify();
    EXPECT_EQ(log, (Log{"first"}));
    list.notify();
    EXPECT_EQ(log, (Log{"first", "added"}));
}

TEST(ObserverList, AnEmptyCallbackIsSkipped) {
    ObserverList<int> list;
    int calls = 0;
    list.add(1, {});
    list.add(2, [&] { ++calls; });
    list.notify();
    EXPECT_EQ(calls, 1);
}

} // namespace
} // namespace vellaro
