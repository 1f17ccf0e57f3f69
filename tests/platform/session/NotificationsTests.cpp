#include "platform/session/Notifications.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

using namespace vellaro;

TEST(Notifications, ObserversHearTheirNameInOrderWithTheObject) {
    Notifications hub;
    QObject sender;
    QStringList calls;
    hub.observe(QStringLiteral("a"), [&](QObject* object) {
        EXPECT_EQ(object, &sender);
        calls << "a1";
    });
    hub.observe(QStringLiteral("b"), [&](QObject*) { calls << "b"; });
    hub.observe(QStringLiteral("a"), [&](QObject*) { calls << "a2"; });
    hub.post(QStringLiteral("a"), &sender);
    EXPECT_EQ(calls, (QStringList{"a1", "a2"}));
}

TEST(Notifications, RemovalAndAdditionDuringAPost) {
    Notifications hub;
    QStringList calls;
    Notifications::Token self;
    Notifications::Token later;
    self = hub.observe(QStringLiteral("n"), [&](QObject*) {
        calls << "self";
        Notifications::removeObserver(self);
    });
    hub.observe(QStringLiteral("n"), [&](QObject*) {
        calls << "remover";
        Notifications::removeObserver(later);
        hub.observe(QStringLiteral("n"), [&](QObject*) { calls << "added"; });
    });
    later = hub.observe(QStringLiteral("n"), [&](QObject*) { calls << "removed"; });

    hub.post(QStringLiteral("n"));
    EXPECT_EQ(calls, (QStringList{"self", "remover"}));
    calls.clear();
    hub.post(QStringLiteral("n"));
    EXPECT_EQ(calls.mid(0, 2), (QStringList{"remover", "added"}));
}

TEST(Notifications, AnObserverEndsWithItsContext) {
    Notifications hub;
    int calls = 0;
    auto context = std::make_unique<QObject>();
    hub.observe(QStringLiteral("n"), context.get(), [&](QObject*) { ++calls; });
    hub.post(QStringLiteral("n"));
    context.reset();
    hub.post(QStringLiteral("n"));
    EXPECT_EQ(calls, 1);
}
