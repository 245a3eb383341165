#include "nodeconf/NetworkRules.h"

#include "nodeconf/NodeConf.h"

#include <gtest/gtest.h>

using namespace mnm;

TEST(NetworkRules, NetworkName)
{
    const std::pair<const char*, int> cases[] = {
        {"AB", 0}, {"A 1 Z", 0}, {"", -1601}, {"ABCDEF", -1602}, {"ab", -1603},
        {"A-B", -1603}, {"A\xC9", -1603},
    };
    for (const auto& [text, code] : cases) EXPECT_EQ(code, CheckNetworkName(text)) << text;
}

TEST(NetworkRules, DigitFields)
{
    struct Case {
        FieldCheck (*check)(std::string_view);
        const char* text;
        int code;
        std::uint32_t value;
    };
    auto channel = [](std::string_view t) { return CheckRadioChannel(t, true); };
    auto power = [](std::string_view t) { return CheckTransmitPower(t, true); };
    auto retries = [](std::string_view t) { return CheckMaxRetries(t, true); };
    const Case cases[] = {
        {CheckNodeNumber, "254", 0, 254},  {CheckNodeNumber, "", -1001, 0},
        {CheckNodeNumber, "00001", -1002, 0}, {CheckNodeNumber, "12a", -1003, 0},
        {CheckNodeNumber, "0", -1004, 0},  {CheckNodeNumber, "255", -1004, 0},
        {channel, "64", 0, 64},            {channel, "", -1101, 0},
        {channel, "0640", -1102, 0},       {channel, " 6", -1103, 0},
        {channel, "65", -1104, 0},         {power, "999", 0, 999},
        {power, "1000", -1202, 0},         {power, "0", -1204, 0},
        {power, "", -1201, 0},             {retries, "0", 0, 0},
        {retries, "9", 0, 9},              {retries, "", -1501, 0},
        {retries, "x", -1503, 0},          {retries, "09", -1504, 0},
        {retries, "15", -1504, 0},
    };
    for (const Case& k : cases) {
        const FieldCheck r = k.check(k.text);
        EXPECT_EQ(k.code, r.code) << k.text;
        if (k.code == 0) {
            EXPECT_EQ(k.value, r.value) << k.text;
        }
    }
}

TEST(NetworkRules, EmptyRadioFieldsWithoutRadioAreAbsent)
{
    EXPECT_EQ(absent, CheckRadioChannel("", false).value);
    EXPECT_EQ(absent, CheckTransmitPower("", false).value);
    EXPECT_EQ(absent, CheckTransmitInterval("", false).value);
    EXPECT_EQ(absent, CheckMaxRetries("", false).value);
    EXPECT_EQ(0, CheckMaxRetries("", false).code);
    EXPECT_EQ(-1301, CheckTransmitInterval("", true).code);
}

TEST(NetworkRules, TransmitIntervalAndAlarmDelay)
{
    const std::pair<const char*, int> intervals[] = {
        {"20s", 0}, {"24h", 0}, {"0", -1302}, {"19s", -1302}, {"24h1s", -1302}, {"168h1s", -1302},
        {"h", -4394}, {"30s5", -4401},
    };
    for (const auto& [text, code] : intervals)
        EXPECT_EQ(code, CheckTransmitInterval(text, true).code) << text;

    const std::pair<const char*, int> delays[] = {
        {"0", 0}, {"48h", 0}, {"", -1401}, {"48h1m", -1406}, {"169h", -1406}, {"90s", -1407},
        {"10m10m", -4425},
    };
    for (const auto& [text, code] : delays) EXPECT_EQ(code, CheckAlarmDelay(text, true).code) << text;
    EXPECT_EQ(120u, CheckAlarmDelay("2", true).value);
    EXPECT_EQ(absent, CheckAlarmDelay("garbage", false).value);
}

TEST(NetworkRules, AlarmDelayCrossChecks)
{
    struct Case {
        std::uint32_t delay, interval, retries;
        int code;
    };
    const Case cases[] = {
        {0, 86400, 1, 0},        // zero delay is always allowed
        {120, 60, 2, 0},         {119, 60, 2, -1404},  {120, 61, 2, -1404},
        {600, 59, 1, 0},         {600, 59, 2, -1505},  {600, 60, 2, 0},
        {1200, 480, 9, 0},       {0, 59, 2, -1505},    // the retry limit applies with a zero delay too
    };
    for (const Case& k : cases)
        EXPECT_EQ(k.code, CheckAlarmDelayAgainstInterval(k.delay, k.interval, k.retries))
            << k.delay << " " << k.interval << " " << k.retries;
}

TEST(NetworkRules, PreTransmitOnTime)
{
    const std::pair<const char*, int> cases[] = {
        {"0", 0}, {"60", 0}, {"", -1901}, {"x", -1903}, {"000060", -1902}, {"61", -1904},
    };
    for (const auto& [text, code] : cases)
        EXPECT_EQ(code, CheckPreTransmitOnTime(text, true).code) << text;
    EXPECT_EQ(absent, CheckPreTransmitOnTime("x", false).value);

    EXPECT_EQ(-1906, CheckPreTransmitAgainstInterval(60, 60));
    EXPECT_EQ(0, CheckPreTransmitAgainstInterval(59, 60));
    EXPECT_EQ(0, CheckPreTransmitAgainstInterval(0, absent));
    EXPECT_EQ(-1905, CheckPreTransmitAgainstInterval(5, absent));
}

TEST(NetworkRules, RetryLimit)
{
    const std::pair<std::uint32_t, std::uint32_t> cases[] = {
        {20, 1}, {59, 1}, {60, 2}, {119, 2}, {479, 8}, {480, 9}, {86400, 9}, {absent, 9},
    };
    for (const auto& [interval, limit] : cases) EXPECT_EQ(limit, RetryLimit(interval)) << interval;
}

TEST(NetworkRules, CorrectionValues)
{
    EXPECT_EQ(20u, SmallestIntervalForRetries(0));
    EXPECT_EQ(20u, SmallestIntervalForRetries(1));
    EXPECT_EQ(480u, SmallestIntervalForRetries(9));
    EXPECT_EQ(86400u, SmallestIntervalForRetries(2000000000)); // no overflow into a short interval
    EXPECT_EQ(60u, SmallestAlarmDelayFor(20));
    EXPECT_EQ(120u, SmallestAlarmDelayFor(60));
    EXPECT_EQ(180u, SmallestAlarmDelayFor(61));
    EXPECT_EQ(45u, LargestIntervalForAlarmDelay(90));
    EXPECT_EQ(60u, AlarmDelayRoundedUp(0));
    EXPECT_EQ(120u, AlarmDelayRoundedUp(90));
    EXPECT_EQ(120u, AlarmDelayRoundedUp(120));
    EXPECT_EQ(60u, AlarmDelayRoundedDown(90));
    EXPECT_EQ(172800u, AlarmDelayRoundedDown(172801));
}

TEST(NetworkRules, CorrectionTexts)
{
    EXPECT_EQ("1", RetriesForIntervalText("10s").value_or("?"));
    EXPECT_EQ("9", RetriesForIntervalText("10").value_or("?"));
    EXPECT_EQ("1", AlarmDelayForIntervalText("20s").value_or("?")); // 40 s rounded up
    EXPECT_EQ("8", IntervalForRetriesText("9").value_or("?"));
    EXPECT_EQ("20s", IntervalForRetriesText(" 1").value_or("?"));
    EXPECT_EQ("45s", IntervalForAlarmDelayText("90s").value_or("?"));
    EXPECT_EQ("2", AlarmDelayRoundedUpText("90s").value_or("?"));
    EXPECT_EQ("1", AlarmDelayRoundedDownText("90s").value_or("?"));
    EXPECT_EQ("48h", AlarmDelayRoundedDownText("200h").value_or("?")); // past seven days
    EXPECT_FALSE(RetriesForIntervalText("h").has_value());
    EXPECT_FALSE(IntervalForRetriesText("x").has_value());
    EXPECT_FALSE(AlarmDelayRoundedUpText("").has_value());
}
