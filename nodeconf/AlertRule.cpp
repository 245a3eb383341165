#include "nodeconf/AlertRule.h"

#include "nodeconf/Endpoint.h"
#include "nodeconf/NumberText.h"
#include "nodeconf/ResultCodes.h"

#include <cctype>
#include <cstring>
#include <optional>
#include <string_view>

namespace mnm {

namespace {

// The codes of a hysteresis fault are those of the limit fault minus 40.
constexpr int kHysteresisOffset = 40;

struct Unit {
    int decimals;
    std::int64_t largest; // in stored steps
    int tooManyDecimals;
    int tooLarge;
};

// Units list order; the stored unit code is the position + 1.
constexpr Unit kUnits[] = {
    {2, 2000, kLimitDecimalsMilliamps, kLimitTooLargeMilliamps},  // mA, 20.00
    {2, 500, kLimitDecimalsVolts, kLimitTooLargeVolts},   // V, 5.00
    {2, 10000, kLimitDecimalsPercent, kLimitTooLargePercent}, // percent of full scale, 100.00
    {0, 4095, kLimitDecimalsCounts, kLimitTooLargeCounts},  // counts of 4096
};

constexpr std::uint8_t kDigitalConditions[] = {3, 1, 2};
constexpr char kAnalogConditions[] = {'C', 'A', 'B', 'Q', 'R'};
constexpr char kGoesOver = 'Q';
constexpr char kGoesUnder = 'R';

constexpr int kUnreadable = -1;

// A decimal text (sign, digits, at most one point) as a whole number of the
// unit's steps: 0, kUnreadable, or the unit's decimals code.
int ReadValue(std::string_view text, const Unit& unit, std::int64_t& value)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::int64_t whole = 0;
    int digits = 0, decimals = 0;
    bool point = false;
    for (char c : text) {
        if (c == '.' && !point) {
            point = true;
        } else if (IsDigit(c)) {
            // Saturate: far above every unit's largest value.
            if (whole < kNumberCap) whole = whole * 10 + (c - '0');
            ++digits;
            if (point) ++decimals;
        } else {
            return kUnreadable;
        }
    }
    if (digits == 0) return kUnreadable;
    if (decimals > unit.decimals) return unit.tooManyDecimals;
    for (int d = decimals; d < unit.decimals && whole < kNumberCap; ++d) whole *= 10;
    value = negative ? -whole : whole;
    return 0;
}

} // namespace

int BuildAlert(const AlertInput& in, SmsConnection& out)
{
    Endpoint e;
    if (int code = ParseAlertEndpoint(in.endpoint, e)) return code;
    if (in.direction != 0 && in.direction != 1) return kAlertEndpointInvalid;
    if (e.card > kMaxCardNumber || e.channel < 1 || e.channel > kMaxChannelNumber) return kAlertEndpointInvalid;

    SmsConnection alert;
    std::memset(&alert, 0, sizeof alert);
    const char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(e.letter)));
    alert.kind = in.direction == 0 ? static_cast<char>(std::tolower(kind)) : kind;
    alert.card = static_cast<std::uint8_t>(e.card);
    alert.channel = static_cast<std::uint8_t>(e.channel);

    if (kind == 'D' || kind == 'S') {
        if (in.digitalCondition < 0 || in.digitalCondition > 2) return kAlertNoDigitalCondition;
        alert.condition = kDigitalConditions[in.digitalCondition];
        alert.limit = kSmsNone;
        alert.hysteresis = kSmsNone;
        alert.unit = 0;
    } else if (kind == 'A') {
        if (in.unit < 0 || in.unit > 3) return kAlertNoUnit;
        const Unit& unit = kUnits[in.unit];
        const bool conditionKnown = in.analogCondition >= 0 && in.analogCondition <= 4;
        const char condition = conditionKnown ? kAnalogConditions[in.analogCondition] : '\0';

        std::int64_t limit = 0;
        if (int code = ReadValue(in.limit, unit, limit)) return code == kUnreadable ? kLimitInvalid : code;

        std::optional<std::int64_t> hysteresis;
        if (condition == kGoesOver || condition == kGoesUnder) {
            std::int64_t h = 0;
            if (int code = ReadValue(in.hysteresis, unit, h))
                return code == kUnreadable ? kHysteresisInvalid : code - kHysteresisOffset;
            if (h < 0) return kHysteresisNegative;
            if (condition == kGoesOver && h > limit) return kHysteresisAboveLimit;
            if (condition == kGoesUnder && h < limit) return kHysteresisBelowLimit;
            hysteresis = h;
        }
        if (limit < 0) return kLimitNegative;
        if (limit > unit.largest) return unit.tooLarge;
        if (hysteresis && *hysteresis > unit.largest) return unit.tooLarge - kHysteresisOffset;
        if (!conditionKnown) return kAlertNoAnalogCondition;
        alert.condition = static_cast<std::uint8_t>(condition);
        alert.limit = static_cast<std::uint16_t>(limit);
        alert.hysteresis = hysteresis ? static_cast<std::uint16_t>(*hysteresis) : kSmsNone;
        alert.unit = static_cast<std::uint8_t>(in.unit + 1);
    } else {
        return kAlertPulsePoint;
    }

    if (in.messagePage < 1 || in.messagePage > kSmsMessageSlots) return kAlertPageOutOfRange;
    if (in.telephonePage < 1 || in.telephonePage > kSmsNumberSlots) return kAlertPageOutOfRange;
    alert.message = static_cast<std::uint8_t>(in.messagePage);
    alert.telephone = static_cast<std::uint8_t>(in.telephonePage);
    out = alert;
    return 0;
}

} // namespace mnm
