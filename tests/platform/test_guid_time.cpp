#include "platform/guid.h"
#include "platform/time_stamp.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(Guid, RegistryFormUpperCaseAndUnique) {
    std::set<std::string> seen;
    for (int i = 0; i < 200; ++i) {
        const std::string guid = platform::NewGuidString();
        ASSERT_TRUE(platform::IsGuidString(guid)) << guid;
        for (char c : guid) {
            EXPECT_FALSE(c >= 'a' && c <= 'f') << guid;
        }
        EXPECT_TRUE(seen.insert(guid).second) << "duplicate " << guid;
    }
}

TEST(Guid, RecognisesOnlyTheRegistryForm) {
    EXPECT_TRUE(platform::IsGuidString("{0123ABCD-4567-89ef-ABCD-0123456789AB}"));
    EXPECT_FALSE(platform::IsGuidString("0123ABCD-4567-89EF-ABCD-0123456789AB"));
    EXPECT_FALSE(platform::IsGuidString("{0123ABCD-4567-89EF-ABCD-0123456789AB"));
    EXPECT_FALSE(platform::IsGuidString("{0123ABCD+4567-89EF-ABCD-0123456789AB}"));
    EXPECT_FALSE(platform::IsGuidString("{0123ABCG-4567-89EF-ABCD-0123456789AB}"));
    EXPECT_FALSE(platform::IsGuidString(""));
}

std::time_t LocalTime(int year, int month, int day, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    return mktime(&t);
}

TEST(TimeStamp, RoundTripsThroughTheLocaleFormat) {
    const std::time_t when = LocalTime(2026, 3, 14, 15, 9, 26);
    const std::string text = platform::FormatTimeStamp(when);
    ASSERT_NE(text, platform::kInvalidTimeStamp);
    EXPECT_NE(text.find(' '), std::string::npos) << "date and time: " << text;
    std::time_t parsed = 0;
    ASSERT_TRUE(platform::ParseTimeStamp(text, parsed)) << text;
    EXPECT_EQ(parsed, when);
}

TEST(TimeStamp, MidnightLeavesTheTimeOut) {
    const std::time_t midnight = LocalTime(2026, 12, 31, 0, 0, 0);
    const std::string text = platform::FormatTimeStamp(midnight);
    EXPECT_EQ(text.find(':'), std::string::npos) << text;
    std::time_t parsed = 0;
    ASSERT_TRUE(platform::ParseTimeStamp(text, parsed)) << text;
    EXPECT_EQ(parsed, midnight);
    // One second later the time is written.
    EXPECT_NE(platform::FormatTimeStamp(midnight + 1).find(':'), std::string::npos);
}

TEST(TimeStamp, RejectsTextThatIsNoTimeStamp) {
    std::time_t parsed = 0;
    EXPECT_FALSE(platform::ParseTimeStamp("", parsed));
    EXPECT_FALSE(platform::ParseTimeStamp("yesterday", parsed));
    EXPECT_FALSE(platform::ParseTimeStamp(platform::NowTimeStamp() + " and more", parsed));
    EXPECT_FALSE(platform::ParseTimeStamp(platform::kInvalidTimeStamp, parsed));
}

TEST(TimeStamp, TypedDatesAreReadWithDotsAndImpossibleDaysRefused) {
    std::time_t parsed = 0;
    ASSERT_TRUE(platform::ParseDateText("14.3.2026", parsed));
    EXPECT_EQ(parsed, LocalTime(2026, 3, 14, 0, 0, 0));
    ASSERT_TRUE(platform::ParseDateText("14.03.2026 15:09", parsed));
    EXPECT_EQ(parsed, LocalTime(2026, 3, 14, 15, 9, 0));
    ASSERT_TRUE(platform::ParseDateText("14.03.2026 15:09:26", parsed));
    EXPECT_EQ(parsed, LocalTime(2026, 3, 14, 15, 9, 26));
    const std::string stamp = platform::FormatTimeStamp(LocalTime(2026, 2, 28, 1, 2, 3));
    ASSERT_TRUE(platform::ParseDateText(stamp, parsed)) << stamp;
    EXPECT_FALSE(platform::ParseDateText("31.02.2026", parsed));
    EXPECT_FALSE(platform::ParseDateText("29.02.2026", parsed)) << "not a leap year";
    EXPECT_TRUE(platform::ParseDateText("29.02.2028", parsed));
    EXPECT_FALSE(platform::ParseDateText("14.03.2026 tea time", parsed));
    EXPECT_FALSE(platform::ParseDateText("", parsed));
    // A time stamp naming no real day is refused as well.
    std::string impossible = platform::FormatTimeStamp(LocalTime(2026, 1, 31, 12, 0, 0));
    const size_t at = impossible.find("01");
    ASSERT_NE(at, std::string::npos) << impossible;
    impossible.replace(at, 2, "02");
    EXPECT_FALSE(platform::ParseTimeStamp(impossible, parsed)) << impossible;
    EXPECT_EQ(platform::FormatLocalTime(LocalTime(2026, 3, 14, 0, 0, 0), "%Y-%m-%d"), "2026-03-14");
}

}  // namespace
