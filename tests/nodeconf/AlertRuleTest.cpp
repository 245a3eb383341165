#include "nodeconf/AlertRule.h"

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

using namespace mnm;

namespace {

constexpr int kInput = 0, kOutput = 1;
constexpr int kChangesBy = 0, kGoesOver = 3, kGoesUnder = 4;
constexpr int kMilliamps = 0, kVolts = 1, kPercent = 2, kCounts = 3;

AlertInput Analog(const char* limit, int unit, int condition = kChangesBy, const char* hyst = "")
{
    AlertInput in;
    in.endpoint = "a1.2";
    in.direction = kInput;
    in.analogCondition = condition;
    in.unit = unit;
    in.limit = limit;
    in.hysteresis = hyst;
    in.messagePage = 4;
    in.telephonePage = 7;
    return in;
}

} // namespace

TEST(AlertRule, DigitalAlert)
{
    AlertInput in;
    in.endpoint = "D3.4";
    in.direction = kOutput;
    in.digitalCondition = 1; // turns ON
    in.limit = "garbage";    // not read for digital points
    in.messagePage = 1;
    in.telephonePage = 32;
    SmsConnection a;
    ASSERT_EQ(0, BuildAlert(in, a));
    EXPECT_EQ(std::make_tuple('D', 3, 4, 1, +kSmsNone, +kSmsNone, 0, 1, 32),
              std::make_tuple(a.kind, +a.card, +a.channel, +a.condition, +a.limit, +a.hysteresis, +a.unit, +a.message,
                              +a.telephone));

    in.endpoint = "S1.1";
    in.direction = kInput;
    in.digitalCondition = 0;
    ASSERT_EQ(0, BuildAlert(in, a));
    EXPECT_EQ('s', a.kind);
    EXPECT_EQ(3, a.condition); // changes state
}

TEST(AlertRule, AnalogValuesAreHeldInSteps)
{
    struct Case {
        const char* limit;
        int unit;
        std::uint16_t stored;
        std::uint8_t unitCode;
    };
    const Case cases[] = {
        {"4.5", kVolts, 450, 2},     {"1.5", kVolts, 150, 2},     {"5", kVolts, 500, 2},
        {"20.00", kMilliamps, 2000, 1}, {".5", kPercent, 50, 3},  {"100", kPercent, 10000, 3},
        {"+7.", kCounts, 7, 4},      {"4095", kCounts, 4095, 4},  {"-0", kCounts, 0, 4},
    };
    for (const Case& k : cases) {
        SmsConnection a;
        ASSERT_EQ(0, BuildAlert(Analog(k.limit, k.unit), a)) << k.limit;
        EXPECT_EQ(k.stored, +a.limit) << k.limit;
        EXPECT_EQ(k.unitCode, a.unit) << k.limit;
        EXPECT_EQ(kSmsNone, +a.hysteresis) << k.limit;
        EXPECT_EQ('C', a.condition);
    }

    SmsConnection a;
    ASSERT_EQ(0, BuildAlert(Analog("4.5", kVolts, kGoesOver, "4"), a));
    EXPECT_EQ(std::make_tuple(int('Q'), 450, 400, 4, 7),
              std::make_tuple(+a.condition, +a.limit, +a.hysteresis, +a.message, +a.telephone));
}

TEST(AlertRule, Faults)
{
    struct Case {
        AlertInput in;
        int code;
    };
    auto with = [](AlertInput in, auto change) {
        change(in);
        return in;
    };
    const AlertInput ok = Analog("1", kVolts);
    const Case cases[] = {
        {with(ok, [](AlertInput& i) { i.endpoint = "3a1.1"; }), -4301},
        {with(ok, [](AlertInput& i) { i.endpoint = "a1"; }), -4302},
        {with(ok, [](AlertInput& i) { i.endpoint = "a1.1-2"; }), -4302},
        {with(ok, [](AlertInput& i) { i.direction = -1; }), -4302},
        {with(ok, [](AlertInput& i) { i.endpoint = "a1.0"; }), -4302},
        {with(ok, [](AlertInput& i) { i.endpoint = "a256.1"; }), -4302},
        {with(ok, [](AlertInput& i) { i.endpoint = "a1.256"; }), -4302},
        {with(ok, [](AlertInput& i) { i.endpoint = "d1.1"; }), -11},
        {with(ok, [](AlertInput& i) { i.endpoint = "p1.1"; }), -12},
        {with(ok, [](AlertInput& i) { i.messagePage = 0; }), -13},
        {with(ok, [](AlertInput& i) { i.telephonePage = 33; }), -13},
        {with(ok, [](AlertInput& i) { i.unit = -1; }), -14},
        {with(ok, [](AlertInput& i) { i.analogCondition = 5; }), -15},
        {Analog("", kVolts), -4303},
        {Analog("1.2.3", kVolts), -4303},
        {Analog(" 1", kVolts), -4303},
        {Analog("-", kVolts), -4303},
        {Analog("1.234", kMilliamps), -4304},
        {Analog("1.234", kVolts), -4305},
        {Analog("1.234", kPercent), -4306},
        {Analog("1.5", kCounts), -4307},
        {Analog("-1", kVolts), -4308},
        {Analog("20.01", kMilliamps), -4309},
        {Analog("5.01", kVolts), -4310},
        {Analog("100.01", kPercent), -4311},
        {Analog("4096", kCounts), -4312},
        {Analog("99999999999999999999", kCounts), -4312}, // no wrap into range
        {Analog("1", kVolts, kGoesOver, "x"), -4343},
        {Analog("1", kVolts, kGoesOver, "0.001"), -4345},
        {Analog("1", kCounts, kGoesUnder, "1.0"), -4347},
        {Analog("1", kVolts, kGoesOver, "-0.5"), -4348},
        {Analog("1", kVolts, kGoesOver, "1.01"), -4382},
        {Analog("1", kVolts, kGoesUnder, "0.99"), -4381},
        {Analog("4", kVolts, kGoesUnder, "6"), -4350},
        // The hysteresis is checked before the sign of the limit.
        {Analog("-1", kVolts, kGoesOver, "x"), -4343},
    };
    for (const Case& k : cases) {
        SmsConnection a;
        std::memset(&a, 0x5A, sizeof a);
        EXPECT_EQ(k.code, BuildAlert(k.in, a)) << k.in.endpoint << " " << k.in.limit;
        EXPECT_EQ(0x5A, a.card) << "a failed build leaves the output alone";
    }
}
