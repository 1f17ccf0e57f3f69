#include "core/VersionComparator.h"

#include <QString>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

struct Ordered {
    const char* older;
    const char* newer;
};

class VersionOrder : public ::testing::TestWithParam<Ordered> {};

TEST_P(VersionOrder, OlderComesFirstBothWays) {
    const auto [older, newer] = GetParam();
    const QString a = QString::fromUtf8(older);
    const QString b = QString::fromUtf8(newer);
    EXPECT_TRUE(VersionComparator::compare(a, b) < 0) << older << " < " << newer;
    EXPECT_TRUE(VersionComparator::compare(b, a) > 0) << newer << " > " << older;
}

INSTANTIATE_TEST_SUITE_P(Cases, VersionOrder,
                         ::testing::Values(Ordered{"1.0b1", "1.0rc1"}, Ordered{"1.0rc1", "1.0"},
                                           Ordered{"1.0", "1.0.1"}, Ordered{"1.0b1", "1.0"},
                                           Ordered{"9", "10"}, Ordered{"1.9", "1.10"},
                                           Ordered{"1.0b2", "1.0b10"},
                                           Ordered{"18446744073709551615", "18446744073709551616"},
                                           Ordered{"2.0", "123456789012345678901234567890"},
                                           Ordered{"", "1"}, Ordered{"", "0.1"},
                                           Ordered{"1.0.0b1", "1.0"}, Ordered{"1.0", "1.0.0.1"},
                                           Ordered{"1.a", "1.0"}));

struct Same {
    const char* a;
    const char* b;
};

class VersionEquality : public ::testing::TestWithParam<Same> {};

TEST_P(VersionEquality, ComparesEqualBothWays) {
    const QString a = QString::fromUtf8(GetParam().a);
    const QString b = QString::fromUtf8(GetParam().b);
    EXPECT_TRUE(VersionComparator::compare(a, b) == 0);
    EXPECT_TRUE(VersionComparator::compare(b, a) == 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, VersionEquality,
                         ::testing::Values(Same{"1.0", "1.0.0"}, Same{"1.0", "1.0"},
                                           Same{"007", "7"}, Same{"", ""}, Same{"", "0"},
                                           Same{"1-0", "1.0"},
                                           Same{"00000000000000000000042", "42"}));

} // namespace
} // namespace vellaro
