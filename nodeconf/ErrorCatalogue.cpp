#include "nodeconf/ErrorCatalogue.h"

#include "nodeconf/NodeConf.h"
#include "nodeconf/ResultCodes.h"

#include <cstdint>

namespace mnm {

namespace {

// What replaces the "%d" of a text.
enum Arg {
    Plain,        // no %d
    Item,         // the code's item number
    Connections,  // the connection table's capacity
    Routes,       // a routing table's capacity
    SmsCapacity,  // the code's item number, the alert list's capacity if none
};

enum class Book { Main, AddConnection };

struct Entry {
    ResultCode code; // without its item number
    Arg arg;
    const char* text; // Windows-1252
    Book book = Book::Main;
};

constexpr Entry kEntries[] = {
    {kNoErrors, Plain, "No Errors Found"},
    {kNodeNumberEmpty, Plain, "Node Number field is empty"},
    {kNodeNumberTooLong, Plain, "Node Number field is too long"},
    {kNodeNumberNonDigits, Plain, "Node Number field contains non-digits"},
    {kNodeNumberOutOfRange, Plain, "Node Number outside the range 1..254"},
    {kChannelEmpty, Plain, "Channel field is empty"},
    {kChannelTooLong, Plain, "Channel field is too long"},
    {kChannelNonDigits, Plain, "Channel field contains non-digits"},
    {kChannelOutOfRange, Plain, "Channel outside the range 1..64"},
    {kTransmitPowerEmpty, Plain, "Transmit Power field is empty"},
    {kTransmitPowerTooLong, Plain, "Transmit Power field is too long"},
    {kTransmitPowerNonDigits, Plain, "Transmit Power field contains non-digits"},
    {kTransmitPowerOutOfRange, Plain, "Transmit Power is out of range"},
    {kTransmitIntervalEmpty, Plain, "Transmit Interval field is empty"},
    {kTransmitIntervalOutOfRange, Plain, "Transmit Interval is outside the range of 20 seconds to one day"},
    {kAlarmDelayEmpty, Plain, "Alarm Delay field is empty"},
    {kAlarmDelayBelowTwiceInterval, Plain, "Alarm Delay is less than twice the Transmit Interval"},
    {kAlarmDelayZero, Plain, "Alarm Delay is zero"},  // reserved
    {kAlarmDelayAboveTwoDays, Plain, "Alarm Delay is greater than two days"},
    {kAlarmDelayNotWholeMinutes, Plain, "Alarm Delay is not a whole number of minutes"},
    {kMaxRetriesEmpty, Plain, "Maximum Retries field is empty"},
    {kMaxRetriesTooLong, Plain, "Maximum Retries field is too long"},  // reserved
    {kMaxRetriesNonDigits, Plain, "Maximum Retries field contains non-digits"},
    {kMaxRetriesOutOfRange, Plain, "Maximum Retries is outside the range 0..9"},
    {kMaxRetriesTooGreatForInterval, Plain, "The Maximum Retries is too great for the Transmit Interval"},
    {kNetworkNameEmpty, Plain, "Network Name field is empty"},
    {kNetworkNameTooLong, Plain, "Network Name field is too long"},
    {kNetworkNameInvalidCharacters, Plain, "Network Name field contains invalid characters.\nValid characters are A..Z  0..9 and SPACE."},
    {kTooManyConnections, Connections, "More than %d Connections"},
    {kConnectionChangeUndetected, Plain, "There is a Connection set to Transmit-On-State-Change,\nbut the state change will not be detected, as Low Power\noperation has been selected.\n\nThe Connection in question is marked with an Icon\nas below.\n"},
    {kConnectionsChangeUndetected, Plain, "There are Connections set to Transmit-On-State-Change,\nbut the state change will not be detected, as Low Power\noperation has been selected.\n\nThe Connections in question are marked with an Icon\nas below.\n"},
    {kTooManyPrimaryRoutes, Routes, "More than %d Entries in Primary Routing Table"},
    {kTooManySecondaryRoutes, Routes, "More than %d Entries in Secondary Routing Table"},
    {kPreTransmitEmpty, Plain, "Pre-Transmit On-Time field is empty"},
    {kPreTransmitTooLong, Plain, "Pre-Transmit On-Time field is too long"},
    {kPreTransmitNonDigits, Plain, "Pre-Transmit On-Time field contains non-digits"},
    {kPreTransmitOutOfRange, Plain, "Pre-Transmit On-Time field is outside the range 0..60 seconds"},
    {kPreTransmitWithoutInterval, Plain, "There is a Pre-Transmit On-Time,\nbut no Transmit Interval"},
    {kPreTransmitNotBelowInterval, Plain, "The Pre-Transmit On-Time is not less than the Transmit Interval"},
    {kCannotReadFile, Plain, "Unable to read Configuration from File"},
    {kCannotWriteFile, Plain, "Unable to write Configuration to File"},
    {kMissingSignature, Plain, "Missing Signature: Not a valid Configuration File"},
    {kIncorrectSignature, Plain, "Incorrect Signature: Not a valid Configuration File"},
    {kFileIncomplete, Plain, "Header indicates Configuration File is incomplete"},
    {kUnexpectedParameter, Plain, "Unexpected Parameter found in Configuration File"},  // reserved
    {kUnexpectedEndOfFile, Plain, "Unexpected End-of-File"},
    {kChannelNotSupported, Plain, "Channel Number not Supported by Target Node"},
    {kHighwayNotSupported, Plain, "Serial Data Highway Parameters not Supported by Target Node"},
    {kLowPowerNotSupported, Plain, "Low-power Parameters not Supported by Target Node"},
    {kSmsMessagesDownloadFailed, Plain, "Unable to download SMS Messages"},
    {kSmsNumbersDownloadFailed, Plain, "Unable to download SMS Telephone Numbers"},
    {kSmsConnectionsDownloadFailed, Plain, "Unable to download SMS Connections"},
    {kUploadFailed, Plain, "The Upload Failed"},
    {kDownloadFailed, Plain, "The Download Failed"},
    {kFlashFailedRoutingTables, Plain, "Target Node unable to write to internal Flash Memory\n(Routing Tables)"},
    {kFlashFailedRadioParameters, Plain, "Target Node unable to write to internal Flash Memory\n(Radio Parameters)"},
    {kFlashFailedNetworkParameters, Plain, "Target Node unable to write to internal Flash Memory\n(Network Parameters)"},
    {kFlashFailedConnectionTable, Plain, "Target Node unable to write to internal Flash Memory\n(Connection Table)"},
    {kFlashFailedLowPowerParameters, Plain, "Target Node unable to write to internal Flash Memory\n(Low-Power Parameters)"},
    {kFlashFailedHighwayParameters, Plain, "Target Node unable to write to internal Flash Memory\n(Serial Data Highway Parameters)"},
    {kFlashFailedSmsMessages, Plain, "Target Node unable to write to internal Flash Memory\n(SMS Messages)"},
    {kFlashFailedSmsNumbers, Plain, "Target Node unable to write to internal Flash Memory\n(SMS Telephone Numbers)"},
    {kFlashFailedSmsConnections, Plain, "Target Node unable to write to internal Flash Memory\n(SMS Connections)"},
    {kTelephoneEmpty, Item, "Telephone Number %d is empty"},
    {kTelephoneOnlySpaces, Item, "Telephone Number %d is empty\n(except for surrounding spaces)"},
    {kTelephoneTooLong, Item, "Telephone Number %d is too long"},
    {kTelephoneTooLongTrimmed, Item, "Telephone Number %d is too long\n(even after removing surrounding spaces)"},
    {kTelephoneBadFirstCharacter, Item, "Telephone Number %d does not begin with a\ndigit or a '+' symbol"},
    {kTelephoneBadCharacter, Item, "Telephone Number %d contains a character that is\nneither a digit, space, or valid punctuation mark"},
    {kTelephoneDoublePunctuation, Item, "Telephone Number %d contains two consecutive\npunctuation marks"},
    {kTelephoneTooManyDigits, Item, "Telephone Number %d contains too many digits"},
    {kTelephoneEndsWithNonDigit, Item, "Telephone Number %d ends with a non-digit"},
    {kTelephoneNoDigits, Item, "Telephone Number %d has no digits"},
    {kTelephoneNonDigitAfterPlus, Item, "Telephone Number %d has a non-digit\nfollowing the '+' symbol"},
    {kAlertListFull, SmsCapacity, "Unable to add new SMS Connections.\nThe ListBox already contains the maximum of %d"},
    {kAlertEndpointHasNode, Plain, "The Endpoint has a Node Number.\nThis is invalid for an SMS Connection"},
    {kAlertEndpointInvalid, Plain, "The Endpoint is invalid"},
    {kLimitInvalid, Plain, "Invalid Limit Value"},
    {kLimitDecimalsMilliamps, Plain, "The limit value (in milliamp\xE8res) has too many decimal places"},
    {kLimitDecimalsVolts, Plain, "The limit value (in volts) has too many decimal places"},
    {kLimitDecimalsPercent, Plain, "The limit value (in percent) has too many decimal places"},
    {kLimitDecimalsCounts, Plain, "The limit value has too many decimal places"},
    {kLimitNegative, Plain, "The limit value is negative"},
    {kLimitTooLargeMilliamps, Plain, "The limit value (in milliamp\xE8res) is too large"},
    {kLimitTooLargeVolts, Plain, "The limit value (in volts) is too large"},
    {kLimitTooLargePercent, Plain, "The limit value (in percent) is too large"},
    {kLimitTooLargeCounts, Plain, "The limit value is too large"},
    {kHysteresisInvalid, Plain, "Invalid Hysteresis Value"},
    {kHysteresisDecimalsMilliamps, Plain, "The hysteresis value (in milliamp\xE8res) has too many decimal places"},
    {kHysteresisDecimalsVolts, Plain, "The hysteresis value (in volts) has too many decimal places"},
    {kHysteresisDecimalsPercent, Plain, "The hysteresis value (in percent) has too many decimal places"},
    {kHysteresisDecimalsCounts, Plain, "The hysteresis value has too many decimal places"},
    {kHysteresisNegative, Plain, "The hysteresis value is negative"},
    {kHysteresisTooLargeMilliamps, Plain, "The hysteresis value (in milliamp\xE8res) is too large"},
    {kHysteresisTooLargeVolts, Plain, "The hysteresis value (in volts) is too large"},
    {kHysteresisTooLargePercent, Plain, "The hysteresis value (in percent) is too large"},
    {kHysteresisTooLargeCounts, Plain, "The hysteresis value is too large"},
    {kHysteresisBelowLimit, Plain, "The hysteresis value is below the corresponding threshhold.\nFor under-limit detection, the hysteresis needs to be equal to\nor greater than the threshhold\n"},
    {kHysteresisAboveLimit, Plain, "The hysteresis value is above the corresponding threshhold.\nFor over-limit detection, the hysteresis needs to be equal to\nor less than the threshhold\n"},
    {kIntervalHoursTwice, Plain, "Transmit Interval has the HOURS symbol twice"},
    {kIntervalHoursAfterMinutes, Plain, "Transmit Interval has the HOURS symbol after a MINUTES symbol"},
    {kIntervalHoursAfterSeconds, Plain, "Transmit Interval has the HOURS symbol after a SECONDS symbol"},
    {kIntervalHoursWithoutDigits, Plain, "Transmit Interval has an HOURS symbol, but no digits before it"},
    {kIntervalMinutesTwice, Plain, "Transmit Interval has the MINUTES symbol twice"},
    {kIntervalMinutesAfterSeconds, Plain, "Transmit Interval has the MINUTES symbol after a SECONDS symbol"},
    {kIntervalMinutesWithoutDigits, Plain, "Transmit Interval has a MINUTES symbol, but no digits before it"},
    {kIntervalSecondsTwice, Plain, "Transmit Interval has the SECONDS symbol twice"},
    {kIntervalSecondsWithoutDigits, Plain, "Transmit Interval has a SECONDS symbol, but no digits before it"},
    {kIntervalOutOfRange, Plain, "Transmit Interval is out of range"},
    {kIntervalUnparsable, Plain, "Unable to parse Transmit Interval"},
    {kAlarmDelayHoursTwice, Plain, "Alarm Delay has the HOURS symbol twice"},
    {kAlarmDelayHoursAfterMinutes, Plain, "Alarm Delay has the HOURS symbol after a MINUTES symbol"},
    {kAlarmDelayHoursAfterSeconds, Plain, "Alarm Delay has the HOURS symbol after a SECONDS symbol"},
    {kAlarmDelayHoursWithoutDigits, Plain, "Alarm Delay has an HOURS symbol, but no digits before it"},
    {kAlarmDelayMinutesTwice, Plain, "Alarm Delay has the MINUTES symbol twice"},
    {kAlarmDelayMinutesAfterSeconds, Plain, "Alarm Delay has the MINUTES symbol after a SECONDS symbol"},
    {kAlarmDelayMinutesWithoutDigits, Plain, "Alarm Delay has a MINUTES symbol, but no digits before it"},
    {kAlarmDelaySecondsTwice, Plain, "Alarm Delay has the SECONDS symbol twice"},
    {kAlarmDelaySecondsWithoutDigits, Plain, "Alarm Delay has a SECONDS symbol, but no digits before it"},
    {kAlarmDelayOutOfRange, Plain, "Alarm Delay is out of range"},
    {kAlarmDelayUnparsable, Plain, "Unable to parse Alarm Delay"},
    {kInternalConnectionCountNegative, Plain, "(Internal Error)\nNumber of Connections < 0!"},
    {kInternalConnectionUnreadable, Plain, "(Internal Error)\nUnable to read Connection ListBox"},
    {kInternalPrimaryRouteCountNegative, Plain, "(Internal Error)\nNumber of Entries in Primary Routing Table < 0!"},
    {kInternalPrimaryRouteUnreadable, Plain, "(Internal Error)\nUnable to read Primary Route"},
    {kInternalSecondaryRouteCountNegative, Plain, "(Internal Error)\nNumber of Entries in Secondary Routing Table < 0!"},
    {kInternalSecondaryRouteUnreadable, Plain, "(Internal Error)\nUnable to read Secondary Route"},
    {kInternalMessageTextCount, Plain, "(Internal Error)\nIncorrect number of Message Texts during Transfer"},
    {kInternalMessageTextUnreadable, Plain, "(Internal Error)\nUnable to Load Message Text Page during Transfer"},
    {kInternalMessageTextTooLong, Plain, "(Internal Error)\nMessage Text Page too long"},
    {kInternalMessageDestinationCount, Plain, "(Internal Error)\nIncorrect number of Message Destinations during Transfer"},
    {kInternalMessageDestinationUnreadable, Plain, "(Internal Error)\nUnable to Load Message Destination during Transfer"},
    {kInternalMessageDestinationTooLong, Plain, "(Internal Error)\nMessage Destination Page too long"},
    {kInternalNcpBufferTooLong, Plain, "(Internal Error)\nNCP Buffer too long"},
    {kInternalNcpStringTooLong, Plain, "(Internal Error)\nNCP String too long"},
    {kInternalMhpBufferTooLong, Plain, "(Internal Error)\nMHP Transmit buffer too long"},
    // Shown only by the Connect button, never through MessageForCode.
    {kOriginEndpointInvalid, Plain, "Invalid Origin Endpoint", Book::AddConnection},
    {kOriginNotLocal, Plain, "Origin Endpoint is not local", Book::AddConnection},
    {kDestinationEndpointInvalid, Plain, "Invalid Destination Endpoint", Book::AddConnection},
    {kCannotAddConnection, Plain, "Unable to add Connection", Book::AddConnection},
    {kPulseWithoutConditions, Plain, "Pulse Connection has no Transmit Conditions.\nIt should be set for Transmit-on-Interval.", Book::AddConnection},
    {kPulseOnChange, Plain, "Pulse Connection is set for Transmit-on-State-Change.\nIt should be set for Transmit-on-Interval.", Book::AddConnection},
    {kPulseOnChangeOnly, Plain, "Pulse Connection is set for Transmit-on-State-Change.\nIt should be set for Transmit-on-Interval only.", Book::AddConnection},
    {kPulseDeltaInvalid, Plain, "Invalid value for pulse count change threshhold (delta)", Book::AddConnection},
    {kNoTransmitConditions, Plain, "Connection has no Transmit Conditions set.", Book::AddConnection},
    {kPercentageInvalid, Plain, "Invalid Percentage", Book::AddConnection},
    {kOriginBadlyTerminated, Plain, "Badly terminated Origin Endpoint", Book::AddConnection},
    {kOriginRangeInvalid, Plain, "Invalid Origin Endpoint Range", Book::AddConnection},
    {kOriginRangeInverted, Plain, "Inverted Origin Endpoint Range", Book::AddConnection},
    {kMaxPpmInvalid, Plain, "Invalid Maximum PPM", Book::AddConnection},
};

constexpr int kItemShift = 16;
constexpr std::uint32_t kBaseMask = 0xFFFFu;

std::uint32_t Magnitude(int code)
{
    // Unsigned negation, so even INT_MIN has a magnitude.
    return code < 0 ? 0u - static_cast<std::uint32_t>(code) : static_cast<std::uint32_t>(code);
}

const Entry* Find(int code, Book book)
{
    const int base = BaseOfCode(code);
    // A failure never reads as "No Errors Found", whatever its item number.
    if (code > 0 || (base == 0 && code != 0)) return nullptr;
    for (const Entry& entry : kEntries)
        if (entry.book == book && entry.code == base) return &entry;
    return nullptr;
}

std::string UnknownError(int code) { return "Unknown Error: " + std::to_string(code); }

std::string Fill(const Entry& entry, int code)
{
    std::string text = entry.text;
    int value = 0;
    switch (entry.arg) {
    case Plain: return text;
    case Item: value = ItemOfCode(code); break;
    case Connections: value = kMaxConnections; break;
    case Routes: value = kMaxRoutes; break;
    case SmsCapacity: value = ItemOfCode(code) != 0 ? ItemOfCode(code) : kMaxSmsConnections; break;
    }
    const std::size_t at = text.find("%d");
    if (at != std::string::npos) text.replace(at, 2, std::to_string(value));
    return text;
}

std::vector<int> CodesOf(Book book)
{
    std::vector<int> codes;
    for (const Entry& entry : kEntries)
        if (entry.book == book) codes.push_back(entry.code);
    return codes;
}

} // namespace

int ItemCode(int code, int item)
{
    const std::uint32_t magnitude =
        (static_cast<std::uint32_t>(item) << kItemShift) + (Magnitude(code) & kBaseMask);
    return static_cast<int>(0u - magnitude);
}

int BaseOfCode(int code) { return -static_cast<int>(Magnitude(code) & kBaseMask); }

int ItemOfCode(int code) { return static_cast<int>(Magnitude(code) >> kItemShift); }

std::string MessageForCode(int code)
{
    const Entry* entry = Find(code, Book::Main);
    return entry ? Fill(*entry, code) : UnknownError(code);
}

std::string MessageOf(const Report& report)
{
    return report.text ? *report.text : MessageForCode(report.code);
}

std::string AddConnectionMessage(int code)
{
    const Entry* entry = Find(code, Book::AddConnection);
    // Only exact codes: the Connect button's codes carry no item number.
    return entry && ItemOfCode(code) == 0 ? Fill(*entry, code) : UnknownError(code);
}

const char* AddConnectionBoxTitle(int code)
{
    return code <= -2000 && code >= -2999 ? "Add Connection" : "Node Configuration Error";
}

std::vector<int> CatalogueCodes() { return CodesOf(Book::Main); }

std::vector<int> AddConnectionCodes() { return CodesOf(Book::AddConnection); }

} // namespace mnm
