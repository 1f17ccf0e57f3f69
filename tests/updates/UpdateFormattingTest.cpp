#include "updates/ByteCount.h"
#include "updates/RelativeTime.h"

#include <gtest/gtest.h>

namespace vellaro {
namespace {

TEST(ByteCount, FormatsLikeFileSizes) {
    const std::pair<qint64, const char*> cases[] = {
        {0, "Zero KB"},       {1, "1 byte"},           {2, "2 bytes"},
        {999, "999 bytes"},   {1000, "1 KB"},          {1499, "1 KB"},
        {1500, "2 KB"},       {999499, "999 KB"},      {999999, "1 MB"},
        {1000000, "1 MB"},    {1550000, "1.6 MB"},     {12345678, "12.3 MB"},
        {2000000000, "2 GB"}, {1234567890, "1.23 GB"}, {1500000000000, "1.5 TB"},
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(ByteCount::fileStyle(bytes), text) << bytes;
}

TEST(RelativeTime, UsesEnglishShortUnits) {
    const QDateTime now = QDateTime::fromString("2026-12-10T12:00:00Z", Qt::ISODate);
    const std::pair<qint64, const char*> cases[] = {
        {0, "0 sec. ago"},           {-30, "30 sec. ago"},      {-300, "5 min. ago"},
        {-3599, "59 min. ago"},      {-3600, "1 hr. ago"},      {-86400, "1 day ago"},
        {-3 * 86400, "3 days ago"},  {-8 * 86400, "1 wk. ago"}, {-40 * 86400, "1 mo. ago"},
        {-800 * 86400, "2 yr. ago"}, {300, "in 5 min."},
    };
    for (const auto& [seconds, text] : cases)
        EXPECT_EQ(RelativeTime::shortText(now.addSecs(seconds), now), text) << seconds;
}

} // namespace
} // namespace vellaro
