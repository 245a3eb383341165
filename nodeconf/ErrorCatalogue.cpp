#include "nodeconf/ErrorCatalogue.h"

#include "nodeconf/MessageBuffer.h"
#include "nodeconf/NodeConf.h"

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
    int base; // magnitude of the code without its item number
    Arg arg;
    const char* text; // Windows-1252
    Book book = Book::Main;
};

constexpr Entry kEntries[] = {
    {0, Plain, "No Errors Found"},
    {1001, Plain, "Node Number field is empty"},
    {1002, Plain, "Node Number field is too long"},
    {1003, Plain, "Node Number field contains non-digits"},
    {1004, Plain, "Node Number outside the range 1..254"},
    {1101, Plain, "Channel field is empty"},
    {1102, Plain, "Channel field is too long"},
    {1103, Plain, "Channel field contains non-digits"},
    {1104, Plain, "Channel outside the range 1..64"},
    {1201, Plain, "Transmit Power field is empty"},
    {1202, Plain, "Transmit Power field is too long"},
    {1203, Plain, "Transmit Power field contains non-digits"},
    {1204, Plain, "Transmit Power is out of range"},
    {1301, Plain, "Transmit Interval field is empty"},
    {1302, Plain, "Transmit Interval is outside the range of 20 seconds to one day"},
    {1401, Plain, "Alarm Delay field is empty"},
    {1404, Plain, "Alarm Delay is less than twice the Transmit Interval"},
    {1405, Plain, "Alarm Delay is zero"},  // reserved
    {1406, Plain, "Alarm Delay is greater than two days"},
    {1407, Plain, "Alarm Delay is not a whole number of minutes"},
    {1501, Plain, "Maximum Retries field is empty"},
    {1502, Plain, "Maximum Retries field is too long"},  // reserved
    {1503, Plain, "Maximum Retries field contains non-digits"},
    {1504, Plain, "Maximum Retries is outside the range 0..9"},
    {1505, Plain, "The Maximum Retries is too great for the Transmit Interval"},
    {1601, Plain, "Network Name field is empty"},
    {1602, Plain, "Network Name field is too long"},
    {1603, Plain, "Network Name field contains invalid characters.\nValid characters are A..Z  0..9 and SPACE."},
    {1701, Connections, "More than %d Connections"},
    {1702, Plain, "There is a Connection set to Transmit-On-State-Change,\nbut the state change will not be detected, as Low Power\noperation has been selected.\n\nThe Connection in question is marked with an Icon\nas below.\n"},
    {1703, Plain, "There are Connections set to Transmit-On-State-Change,\nbut the state change will not be detected, as Low Power\noperation has been selected.\n\nThe Connections in question are marked with an Icon\nas below.\n"},
    {1801, Routes, "More than %d Entries in Primary Routing Table"},
    {1802, Routes, "More than %d Entries in Secondary Routing Table"},
    {1901, Plain, "Pre-Transmit On-Time field is empty"},
    {1902, Plain, "Pre-Transmit On-Time field is too long"},
    {1903, Plain, "Pre-Transmit On-Time field contains non-digits"},
    {1904, Plain, "Pre-Transmit On-Time field is outside the range 0..60 seconds"},
    {1905, Plain, "There is a Pre-Transmit On-Time,\nbut no Transmit Interval"},
    {1906, Plain, "The Pre-Transmit On-Time is not less than the Transmit Interval"},
    {2101, Plain, "Unable to read Configuration from File"},
    {2102, Plain, "Unable to write Configuration to File"},
    {2151, Plain, "Missing Signature: Not a valid Configuration File"},
    {2152, Plain, "Incorrect Signature: Not a valid Configuration File"},
    {2153, Plain, "Header indicates Configuration File is incomplete"},
    {2161, Plain, "Unexpected Parameter found in Configuration File"},  // reserved
    {2171, Plain, "Unexpected End-of-File"},
    {3001, Plain, "Channel Number not Supported by Target Node"},
    {4001, Plain, "Serial Data Highway Parameters not Supported by Target Node"},
    {4002, Plain, "Low-power Parameters not Supported by Target Node"},
    {4003, Plain, "Unable to download SMS Messages"},
    {4004, Plain, "Unable to download SMS Telephone Numbers"},
    {4005, Plain, "Unable to download SMS Connections"},
    {4051, Plain, "The Upload Failed"},
    {4052, Plain, "The Download Failed"},
    {4101, Plain, "Target Node unable to write to internal Flash Memory\n(Routing Tables)"},
    {4102, Plain, "Target Node unable to write to internal Flash Memory\n(Radio Parameters)"},
    {4103, Plain, "Target Node unable to write to internal Flash Memory\n(Network Parameters)"},
    {4104, Plain, "Target Node unable to write to internal Flash Memory\n(Connection Table)"},
    {4105, Plain, "Target Node unable to write to internal Flash Memory\n(Low-Power Parameters)"},
    {4106, Plain, "Target Node unable to write to internal Flash Memory\n(Serial Data Highway Parameters)"},
    {4107, Plain, "Target Node unable to write to internal Flash Memory\n(SMS Messages)"},
    {4108, Plain, "Target Node unable to write to internal Flash Memory\n(SMS Telephone Numbers)"},
    {4109, Plain, "Target Node unable to write to internal Flash Memory\n(SMS Connections)"},
    {4201, Item, "Telephone Number %d is empty"},
    {4202, Item, "Telephone Number %d is empty\n(except for surrounding spaces)"},
    {4203, Item, "Telephone Number %d is too long"},
    {4204, Item, "Telephone Number %d is too long\n(even after removing surrounding spaces)"},
    {4205, Item, "Telephone Number %d does not begin with a\ndigit or a '+' symbol"},
    {4206, Item, "Telephone Number %d contains a character that is\nneither a digit, space, or valid punctuation mark"},
    {4207, Item, "Telephone Number %d contains two consecutive\npunctuation marks"},
    {4208, Item, "Telephone Number %d contains too many digits"},
    {4209, Item, "Telephone Number %d ends with a non-digit"},
    {4210, Item, "Telephone Number %d has no digits"},
    {4211, Item, "Telephone Number %d has a non-digit\nfollowing the '+' symbol"},
    {4251, SmsCapacity, "Unable to add new SMS Connections.\nThe ListBox already contains the maximum of %d"},
    {4301, Plain, "The Endpoint has a Node Number.\nThis is invalid for an SMS Connection"},
    {4302, Plain, "The Endpoint is invalid"},
    {4303, Plain, "Invalid Limit Value"},
    {4304, Plain, "The limit value (in milliamp\xE8res) has too many decimal places"},
    {4305, Plain, "The limit value (in volts) has too many decimal places"},
    {4306, Plain, "The limit value (in percent) has too many decimal places"},
    {4307, Plain, "The limit value has too many decimal places"},
    {4308, Plain, "The limit value is negative"},
    {4309, Plain, "The limit value (in milliamp\xE8res) is too large"},
    {4310, Plain, "The limit value (in volts) is too large"},
    {4311, Plain, "The limit value (in percent) is too large"},
    {4312, Plain, "The limit value is too large"},
    {4343, Plain, "Invalid Hysteresis Value"},
    {4344, Plain, "The hysteresis value (in milliamp\xE8res) has too many decimal places"},
    {4345, Plain, "The hysteresis value (in volts) has too many decimal places"},
    {4346, Plain, "The hysteresis value (in percent) has too many decimal places"},
    {4347, Plain, "The hysteresis value has too many decimal places"},
    {4348, Plain, "The hysteresis value is negative"},
    {4349, Plain, "The hysteresis value (in milliamp\xE8res) is too large"},
    {4350, Plain, "The hysteresis value (in volts) is too large"},
    {4351, Plain, "The hysteresis value (in percent) is too large"},
    {4352, Plain, "The hysteresis value is too large"},
    {4381, Plain, "The hysteresis value is below the corresponding threshhold.\nFor under-limit detection, the hysteresis needs to be equal to\nor greater than the threshhold\n"},
    {4382, Plain, "The hysteresis value is above the corresponding threshhold.\nFor over-limit detection, the hysteresis needs to be equal to\nor less than the threshhold\n"},
    {4391, Plain, "Transmit Interval has the HOURS symbol twice"},
    {4392, Plain, "Transmit Interval has the HOURS symbol after a MINUTES symbol"},
    {4393, Plain, "Transmit Interval has the HOURS symbol after a SECONDS symbol"},
    {4394, Plain, "Transmit Interval has an HOURS symbol, but no digits before it"},
    {4395, Plain, "Transmit Interval has the MINUTES symbol twice"},
    {4396, Plain, "Transmit Interval has the MINUTES symbol after a SECONDS symbol"},
    {4397, Plain, "Transmit Interval has a MINUTES symbol, but no digits before it"},
    {4398, Plain, "Transmit Interval has the SECONDS symbol twice"},
    {4399, Plain, "Transmit Interval has a SECONDS symbol, but no digits before it"},
    {4400, Plain, "Transmit Interval is out of range"},
    {4401, Plain, "Unable to parse Transmit Interval"},
    {4421, Plain, "Alarm Delay has the HOURS symbol twice"},
    {4422, Plain, "Alarm Delay has the HOURS symbol after a MINUTES symbol"},
    {4423, Plain, "Alarm Delay has the HOURS symbol after a SECONDS symbol"},
    {4424, Plain, "Alarm Delay has an HOURS symbol, but no digits before it"},
    {4425, Plain, "Alarm Delay has the MINUTES symbol twice"},
    {4426, Plain, "Alarm Delay has the MINUTES symbol after a SECONDS symbol"},
    {4427, Plain, "Alarm Delay has a MINUTES symbol, but no digits before it"},
    {4428, Plain, "Alarm Delay has the SECONDS symbol twice"},
    {4429, Plain, "Alarm Delay has a SECONDS symbol, but no digits before it"},
    {4430, Plain, "Alarm Delay is out of range"},
    {4431, Plain, "Unable to parse Alarm Delay"},
    {9001, Plain, "(Internal Error)\nNumber of Connections < 0!"},
    {9002, Plain, "(Internal Error)\nUnable to read Connection ListBox"},
    {9101, Plain, "(Internal Error)\nNumber of Entries in Primary Routing Table < 0!"},
    {9102, Plain, "(Internal Error)\nUnable to read Primary Route"},
    {9151, Plain, "(Internal Error)\nNumber of Entries in Secondary Routing Table < 0!"},
    {9152, Plain, "(Internal Error)\nUnable to read Secondary Route"},
    {9201, Plain, "(Internal Error)\nIncorrect number of Message Texts during Transfer"},
    {9202, Plain, "(Internal Error)\nUnable to Load Message Text Page during Transfer"},
    {9203, Plain, "(Internal Error)\nMessage Text Page too long"},
    {9301, Plain, "(Internal Error)\nIncorrect number of Message Destinations during Transfer"},
    {9302, Plain, "(Internal Error)\nUnable to Load Message Destination during Transfer"},
    {9303, Plain, "(Internal Error)\nMessage Destination Page too long"},
    {9451, Plain, "(Internal Error)\nNCP Buffer too long"},
    {9452, Plain, "(Internal Error)\nNCP String too long"},
    {9453, Plain, "(Internal Error)\nMHP Transmit buffer too long"},
    // Shown only by the Connect button, never through MessageForCode.
    {2001, Plain, "Invalid Origin Endpoint", Book::AddConnection},
    {2002, Plain, "Origin Endpoint is not local", Book::AddConnection},
    {2003, Plain, "Invalid Destination Endpoint", Book::AddConnection},
    {2004, Plain, "Unable to add Connection", Book::AddConnection},
    {2005, Plain, "Pulse Connection has no Transmit Conditions.\nIt should be set for Transmit-on-Interval.", Book::AddConnection},
    {2006, Plain, "Pulse Connection is set for Transmit-on-State-Change.\nIt should be set for Transmit-on-Interval.", Book::AddConnection},
    {2007, Plain, "Pulse Connection is set for Transmit-on-State-Change.\nIt should be set for Transmit-on-Interval only.", Book::AddConnection},
    {2008, Plain, "Invalid value for pulse count change threshhold (delta)", Book::AddConnection},
    {2009, Plain, "Connection has no Transmit Conditions set.", Book::AddConnection},
    {2010, Plain, "Invalid Percentage", Book::AddConnection},
    {2011, Plain, "Badly terminated Origin Endpoint", Book::AddConnection},
    {2012, Plain, "Invalid Origin Endpoint Range", Book::AddConnection},
    {2013, Plain, "Inverted Origin Endpoint Range", Book::AddConnection},
    {2014, Plain, "Invalid Maximum PPM", Book::AddConnection},
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
        if (entry.book == book && entry.base == -base) return &entry;
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
        if (entry.book == book) codes.push_back(-entry.base);
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
    if (code == kComposedMessage) return ComposedMessage();
    const Entry* entry = Find(code, Book::Main);
    return entry ? Fill(*entry, code) : UnknownError(code);
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
