#include "nodeconf/Duration.h"

#include "nodeconf/NodeConf.h"

#include <gtest/gtest.h>

using namespace mnm;

TEST(Duration, ParsesValidTexts)
{
    const std::pair<const char*, std::uint32_t> cases[] = {
        {"40", 2400},   {"40s", 40},     {"90s", 90},       {"1H", 3600},   {"1h10", 4200},
        {"5m30", 330},  {"1h0m30s", 3630}, {"1h10m5s", 4205}, {"0", 0},       {"168h", 604800},
        {"2M", 120},    {"1h10m5", 4205}, {"007s", 7},
    };
    for (const auto& [text, seconds] : cases) {
        std::uint32_t value = 12345;
        EXPECT_EQ(kDurationParsed, ParseDuration(text, DurationField::TransmitInterval, value))
            << text;
        EXPECT_EQ(seconds, value) << text;
    }
}

TEST(Duration, FaultCodesPerField)
{
    struct Case {
        const char* text;
        int interval, alarm;
    };
    const Case cases[] = {
        {"", -1301, -1401},        {"1h2h", -4391, -4421},    {"1m2h", -4392, -4422},
        {"1s2h", -4393, -4423},    {"h", -4394, -4424},       {"10m10m", -4395, -4425},
        {"10s1m", -4396, -4426},   {"m", -4397, -4427},       {"1s1s", -4398, -4428},
        {"s", -4399, -4429},       {"168h1s", -4400, -4430},  {"30s5", -4401, -4431},
        {"1 h", -4401, -4431},     {"-5", -4401, -4431},      {"5x", -4401, -4431},
        {"\xE8", -4401, -4431},
        // A digit run that would wrap a 32- or 64-bit accumulator is out of range, not small.
        {"18446744073709551617s", -4400, -4430},
        {"4294967296h", -4400, -4430},
    };
    for (const Case& k : cases) {
        std::uint32_t value = 0;
        EXPECT_EQ(k.interval, ParseDuration(k.text, DurationField::TransmitInterval, value)) << k.text;
        EXPECT_EQ(k.alarm, ParseDuration(k.text, DurationField::AlarmDelay, value)) << k.text;
    }
}

TEST(Duration, FormatsShortestForm)
{
    const std::pair<std::uint32_t, const char*> cases[] = {
        {0, "0"},       {40, "40s"},       {600, "10"},    {90, "1m30s"}, {7200, "2h"},
        {4200, "1h10"}, {3630, "1h0m30s"}, {4205, "1h10m5s"}, {absent, ""},
    };
    for (const auto& [seconds, text] : cases) EXPECT_EQ(text, FormatDuration(seconds)) << seconds;
}

TEST(Duration, EveryFormattedValueParsesBack)
{
    for (std::uint32_t seconds = 0; seconds <= kMaxDurationSeconds; seconds += 7) {
        std::uint32_t back = 0;
        ASSERT_EQ(kDurationParsed,
                  ParseDuration(FormatDuration(seconds), DurationField::AlarmDelay, back))
            << seconds;
        ASSERT_EQ(seconds, back);
    }
}
