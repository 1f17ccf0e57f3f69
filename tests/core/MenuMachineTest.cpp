#include "core/MenuMachine.h"

#include "CorePrinters.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

namespace vellaro {
namespace {

using Kind = MenuEffect::Kind;
using std::nullopt;

struct Row {
    MenuState state;
    MenuEvent event;
    MenuState next;
    MenuEffect effect;
};

// Six sections; section 1 has an empty fan, section 2 a fan of four.
const MenuConfiguration sixSections({3, 0, 4, 2, 1, 5});

TEST(MenuMachine, FollowsTheTransitionTable) {
    const auto closed = MenuState::closed();
    const auto none = MenuEffect::none();
    const auto dismiss = MenuEffect::dismiss();
    const auto root = MenuState::root();
    const auto root2 = MenuState::root(2);
    const auto fan2 = MenuState::submenu(2);
    const auto fan2at1 = MenuState::submenu(2, 1);
    const auto wedge = [](std::int64_t k) { return RadialHit::wedge(k); };
    const auto item = [](std::int64_t i) { return RadialHit::fanItem(i); };
    const auto core = RadialHit::core();
    const auto gap = RadialHit::gap();
    const auto outside = RadialHit::outside();
    using E = MenuEvent;

    const std::vector<Row> rows = {
        // closed ignores everything but open
        {closed, E::open(), root, none},
        {closed, E::pointerMoved(wedge(1)), closed, none},
        {closed, E::primaryAction(wedge(1)), closed, none},
        {closed, E::primaryAction(core), closed, none},
        {closed, E::rotate(1), closed, none},
        {closed, E::hoverDwell(), closed, none},
        {closed, E::triggerReleased(), closed, none},
        {closed, E::confirm(), closed, none},
        {closed, E::escape(), closed, none},
        {closed, E::focusLost(), closed, none},
        // root
        {root, E::pointerMoved(wedge(4)), MenuState::root(4), none},
        {root2, E::pointerMoved(item(1)), root, none},
        {root2, E::pointerMoved(core), root, none},
        {root2, E::pointerMoved(gap), root, none},
        {root2, E::pointerMoved(outside), root, none},
        {root, E::primaryAction(wedge(3)), MenuState::submenu(3), none},
        {root2, E::primaryAction(item(0)), root2, none},
        {root2, E::primaryAction(gap), root2, none},
        {root2, E::primaryAction(core), closed, dismiss},
        {root2, E::primaryAction(outside), closed, dismiss},
        {root2, E::rotate(1), MenuState::root(3), none},
        {root, E::rotate(-1), MenuState::root(5), none},
        {root2, E::open(), root2, none},
        {root2, E::hoverDwell(), fan2, none},
        {root, E::hoverDwell(), root, none},
        {root2, E::triggerReleased(), fan2, none},
        {root, E::triggerReleased(), closed, dismiss},
        {root2, E::confirm(), fan2, none},
        {root, E::confirm(), root, none},
        {root2, E::escape(), closed, dismiss},
        {root, E::escape(), closed, dismiss},
        {root2, E::focusLost(), closed, dismiss},
        // submenu: moving onto any wedge switches the fan, also onto its own
        {fan2at1, E::pointerMoved(wedge(4)), MenuState::submenu(4), none},
        {fan2at1, E::pointerMoved(wedge(2)), fan2, none},
        {fan2, E::pointerMoved(item(1)), fan2at1, none},
        {fan2at1, E::pointerMoved(core), fan2, none},
        {fan2at1, E::pointerMoved(gap), fan2, none},
        {fan2at1, E::pointerMoved(outside), fan2, none},
        {fan2at1, E::primaryAction(wedge(4)), MenuState::submenu(4), none},
        {fan2at1, E::primaryAction(wedge(2)), fan2, none},
        // the clicked item runs, not the highlighted one
        {fan2at1, E::primaryAction(item(3)), closed, MenuEffect::execute(2, 3)},
        {fan2at1, E::primaryAction(core), root, none},
        {fan2at1, E::primaryAction(gap), fan2at1, none},
        {fan2at1, E::primaryAction(outside), closed, dismiss},
        {fan2at1, E::rotate(1), MenuState::submenu(2, 2), none},
        {fan2, E::rotate(-1), MenuState::submenu(2, 3), none},
        {MenuState::submenu(2, 3), E::rotate(1), MenuState::submenu(2, 0), none},
        {MenuState::submenu(1), E::rotate(1), MenuState::submenu(1), none},
        {fan2at1, E::open(), fan2at1, none},
        {fan2at1, E::hoverDwell(), fan2at1, none},
        {fan2at1, E::triggerReleased(), closed, MenuEffect::execute(2, 1)},
        {fan2, E::triggerReleased(), fan2, none},
        {fan2at1, E::confirm(), closed, MenuEffect::execute(2, 1)},
        {fan2, E::confirm(), fan2, none},
        {MenuState::submenu(1), E::confirm(), MenuState::submenu(1), none},
        {fan2at1, E::escape(), root, none},
        {fan2at1, E::focusLost(), closed, dismiss},
        // a section the configuration does not hold has nothing to rotate through
        {MenuState::submenu(9, 0), E::rotate(1), MenuState::submenu(9, 0), none},
        {MenuState::submenu(-1), E::rotate(-1), MenuState::submenu(-1), none},
    };

    for (const Row& row : rows) {
        const auto result = MenuMachine::transition(row.state, row.event, sixSections);
        EXPECT_EQ(result.state, row.next)
            << testing::PrintToString(row.state) << " + " << testing::PrintToString(row.event);
        EXPECT_EQ(result.effect, row.effect)
            << testing::PrintToString(row.state) << " + " << testing::PrintToString(row.event);
    }
}

TEST(MenuMachine, RotateOnAnEmptyRingChangesNothing) {
    const MenuConfiguration empty;
    for (const auto& state : {MenuState::root(), MenuState::root(0)}) {
        const auto result = MenuMachine::transition(state, MenuEvent::rotate(1), empty);
        EXPECT_EQ(result.state, state);
        EXPECT_EQ(result.effect, MenuEffect::none());
    }
}

TEST(MenuMachine, WrapRule) {
    constexpr auto maxStep = std::numeric_limits<std::int64_t>::max();
    constexpr auto minStep = std::numeric_limits<std::int64_t>::min();
    struct Case {
        std::optional<std::int64_t> current;
        std::int64_t step;
        std::int64_t count;
        std::optional<std::int64_t> expected;
    };
    const Case cases[] = {
        // a ring of six
        {nullopt, 1, 6, 0},
        {nullopt, -1, 6, 5},
        {nullopt, 0, 6, 0},
        {5, 1, 6, 0},
        {0, -7, 6, 5},
        {2, 13, 6, 3},
        {4, 0, 6, 4},
        // a fan of four
        {nullopt, -1, 4, 3},
        {nullopt, 1, 4, 0},
        {3, 1, 4, 0},
        {0, -1, 1, 0},
        // steps at the ends of the integer range wrap without overflow
        {2, maxStep, 6, 3},
        {2, minStep, 6, 0},
        // nothing to land on
        {nullopt, 1, 0, nullopt},
        {3, -1, 0, nullopt},
        {3, 1, -2, nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MenuMachine::wrap(c.current, c.step, c.count), c.expected)
            << "current " << describe(c.current) << " step " << c.step << " count " << c.count;
}

// Every configuration of 2 to 4 sections with 0 to 3 items each, crossed with
// every reachable-looking state and every event.
TEST(MenuMachine, OnlyClosedCarriesAnEffectAndOnlyAFanExecutes) {
    std::vector<MenuEvent> events = {MenuEvent::open(),    MenuEvent::hoverDwell(),
                                     MenuEvent::confirm(), MenuEvent::triggerReleased(),
                                     MenuEvent::escape(),  MenuEvent::focusLost()};
    for (std::int64_t step = -2; step <= 2; ++step)
        events.push_back(MenuEvent::rotate(step));
    std::vector<RadialHit> hits = {RadialHit::core(), RadialHit::gap(), RadialHit::outside()};
    for (std::int64_t i = 0; i < 4; ++i) {
        hits.push_back(RadialHit::wedge(i));
        hits.push_back(RadialHit::fanItem(i));
    }
    for (const RadialHit& hit : hits) {
        events.push_back(MenuEvent::pointerMoved(hit));
        events.push_back(MenuEvent::primaryAction(hit));
    }

    for (std::int64_t sections = 2; sections <= 4; ++sections) {
        std::vector<std::int64_t> counts(static_cast<std::size_t>(sections), 0);
        for (bool more = true; more;) {
            const MenuConfiguration configuration(counts);
            std::vector<MenuState> states = {MenuState::closed(), MenuState::root()};
            for (std::int64_t s = 0; s < sections; ++s) {
                states.push_back(MenuState::root(s));
                states.push_back(MenuState::submenu(s));
                for (std::int64_t j = 0; j < configuration.itemCount(s); ++j)
                    states.push_back(MenuState::submenu(s, j));
            }
            for (const MenuState& state : states) {
                for (const MenuEvent& event : events) {
                    const auto [next, effect] =
                        MenuMachine::transition(state, event, configuration);
                    const auto context =
                        testing::PrintToString(state) + " + " + testing::PrintToString(event);
                    if (effect.kind() != Kind::none) {
                        ASSERT_EQ(next, MenuState::closed()) << context;
                    }
                    if (effect.kind() == Kind::execute) {
                        ASSERT_EQ(state.submenuSection(), effect.section()) << context;
                    }
                }
            }
            // next combination of item counts 0...3
            more = false;
            for (auto& count : counts) {
                if (++count <= 3) {
                    more = true;
                    break;
                }
                count = 0;
            }
        }
    }
}

} // namespace
} // namespace vellaro
