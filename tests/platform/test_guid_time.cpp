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

}  // namespace
