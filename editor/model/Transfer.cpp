#include "editor/model/Transfer.h"

#include "nodeconf/Duration.h"
#include "nodeconf/ErrorCatalogue.h"
#include "nodeconf/NetworkRules.h"
#include "nodeconf/NumberText.h"
#include "nodeconf/Telephone.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace mnm::editor {

namespace {

// How much of each network field the store reads; the rest is cut off.
constexpr std::size_t kFieldCapacity = 100;
constexpr std::size_t kPreTransmitCapacity = 99;
constexpr std::size_t kDurationCapacity = 39;

std::string_view Cut(const std::string& text, std::size_t capacity)
{
    return std::string_view(text).substr(0, capacity);
}

// A dialup rule's message carries the numbers it complains about.
Report Composed(const char* format, ...) __attribute__((format(printf, 1, 2)));
Report Composed(const char* format, ...)
{
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return Rejected(text);
}

std::string NumberOrEmpty(std::int32_t value) { return IsAbsent(value) ? "" : std::to_string(value); }

template <std::size_t N>
std::string_view FixedText(const char (&text)[N])
{
    return std::string_view(text, strnlen(text, N));
}

template <std::size_t N>
void CopyText(char (&to)[N], std::string_view text)
{
    std::memset(to, 0, N);
    std::memcpy(to, text.data(), std::min(text.size(), N - 1));
}

int Clamped(std::int32_t count, int capacity) { return std::clamp<std::int32_t>(count, 0, capacity); }

bool LowPowerSelected(const EditorContents& e) { return e.lowPowerTransmitter || e.lowPowerReceiver; }

// The network page and its cross-checks, in the order the user is told.
int StoreNetwork(const EditorContents& e, NodeConf& conf)
{
    const bool radio = e.uhfRadio;
    conf.networkFlags = 0;
    if (!radio) conf.networkFlags |= kFlagNoRadio;
    if (e.leasedLineModem) conf.networkFlags |= kFlagLeasedLine;
    else if (!e.dialupModem) conf.networkFlags |= kFlagNoModem;

    conf.highwayEncoding = e.rtu ? 'R' : 'A';
    conf.highwayCharSize = e.sevenBit ? 7 : 8;
    constexpr char kParityLetters[] = {'E', 'O', 'M', 'S'};
    conf.highwayParity = kParityLetters[static_cast<int>(e.parity)];
    conf.highwayCheckParity = e.checkParity ? 1 : 0;

    const std::string_view name = Cut(e.networkName, kFieldCapacity);
    if (int code = CheckNetworkName(name)) return code;
    CopyText(conf.networkName, name);

    auto store = [](FieldCheck check, std::int32_t& field) {
        field = static_cast<std::int32_t>(check.value);
        return check.code;
    };
    if (int code = store(CheckNodeNumber(Cut(e.nodeNumber, kFieldCapacity)), conf.nodeNumber)) return code;
    if (int code = store(CheckRadioChannel(Cut(e.channel, kFieldCapacity), radio), conf.radioChannel)) return code;
    if (int code = store(CheckTransmitPower(Cut(e.transmitPower, kFieldCapacity), radio), conf.transmitPower))
        return code;
    if (int code = store(CheckTransmitInterval(Cut(e.transmitInterval, kDurationCapacity), radio),
                         conf.transmitInterval))
        return code;
    if (int code = store(CheckMaxRetries(Cut(e.maxRetries, kFieldCapacity), radio), conf.maxRetries)) return code;
    const bool alarmEnabled = radio && !LowPowerSelected(e);
    if (int code = store(CheckAlarmDelay(Cut(e.alarmDelay, kDurationCapacity), alarmEnabled), conf.alarmDelay))
        return code;
    const auto u = [](std::int32_t v) { return static_cast<std::uint32_t>(v); };
    if (!IsAbsent(conf.alarmDelay))
        if (int code = CheckAlarmDelayAgainstInterval(u(conf.alarmDelay), u(conf.transmitInterval), u(conf.maxRetries)))
            return code;
    if (int code = store(CheckPreTransmitOnTime(Cut(e.preTransmitOnTime, kPreTransmitCapacity), e.lowPowerTransmitter),
                         conf.preTransmitOnTime))
        return code;
    conf.lowPowerReceiver = e.lowPowerReceiver ? 0 : static_cast<std::int32_t>(absent);
    if (!IsAbsent(conf.preTransmitOnTime))
        if (int code = CheckPreTransmitAgainstInterval(u(conf.preTransmitOnTime), u(conf.transmitInterval)))
            return code;
    return 0;
}

int StoreConnections(const EditorContents& e, NodeConf& conf, std::vector<int>* offendingLines)
{
    const int count = static_cast<int>(e.connections.lines.size());
    if (count > kMaxConnections) return kTooManyConnections;
    const bool lowPower = !IsAbsent(conf.preTransmitOnTime) || !IsAbsent(conf.lowPowerReceiver);
    std::vector<int> offending;
    for (int i = 0; i < count; ++i) {
        if (GetConnection(e.connections, i, conf.connections[i]) != 0) return kInternalConnectionUnreadable;
        if (lowPower && IsLowPowerOffending(conf.connections[i])) offending.push_back(i);
    }
    conf.connectionCount = count;
    if (offendingLines) *offendingLines = offending;
    if (offending.size() == 1) return kConnectionChangeUndetected;
    if (offending.size() > 1) return kConnectionsChangeUndetected;
    return 0;
}

int StoreRoutes(const RoutingList& list, RouteEntry (&table)[kMaxRoutes], std::int32_t& count, int tooMany,
                int unreadable)
{
    const int n = static_cast<int>(list.words.size());
    if (n > kMaxRoutes) return tooMany;
    for (int i = 0; i < n; ++i)
        if (GetRoute(list, i, table[i]) != 0) return unreadable;
    count = n;
    return 0;
}

int StoreSms(const EditorContents& e, NodeConf& conf)
{
    if (e.smsMessages.PageCount() != kSmsMessageSlots) return kInternalMessageTextCount;
    for (int n = 1; n <= kSmsMessageSlots; ++n) {
        std::string text;
        const int length = e.smsMessages.GetPage(n, &text);
        if (length < 0) return kInternalMessageTextUnreadable;
        if (length > kSmsMessageLength) return kInternalMessageTextTooLong;
        CopyText(conf.smsMessages[n - 1], text);
    }
    ComputeDerivedFields(conf);

    if (e.smsNumbers.PageCount() != kSmsNumberSlots) return kInternalMessageDestinationCount;
    for (int n = 1; n <= kSmsNumberSlots; ++n) {
        std::string text;
        const int length = e.smsNumbers.GetPage(n, &text);
        if (length < 0) return ItemCode(kInternalMessageDestinationUnreadable, n);
        if (length > kSmsNumberLength) return ItemCode(kInternalMessageDestinationTooLong, n);
        CopyText(conf.smsNumbers[n - 1], text);
        ComputeDerivedFields(conf);
        const int code = ValidateTelephoneNumber(text, kSmsNumberLength, kSmsNumberLength);
        if (code != 0 && code != kTelephoneEmpty && code != kTelephoneOnlySpaces) return ItemCode(code, n);
    }

    const int alerts = static_cast<int>(e.alerts.lines.size());
    if (alerts < 0 || alerts > kMaxSmsConnections) return kInternalAlertUnreadable;
    for (int i = 0; i < alerts; ++i)
        if (GetAlert(e.alerts, i, conf.smsConnections[i]) != 0) return kInternalAlertUnreadable;
    conf.smsConnectionCount = alerts;
    return 0;
}

Report StoreRedial(const EditorContents& e, NodeConf& conf)
{
    conf.redialAttempts = static_cast<std::int32_t>(absent);
    conf.redialInterval = static_cast<std::int32_t>(absent);
    const int dialled = CountDialups(e.dialups, RouteKind::Telephone);
    char phrase[64];
    std::snprintf(phrase, sizeof phrase, "There %s %d Dialup Connection%s", dialled == 1 ? "is" : "are", dialled,
                  dialled == 1 ? "" : "s");

    const std::string& attempts = e.redialAttempts;
    if (!attempts.empty() && !IsAllDigits(attempts))
        return Rejected("The Dialup Connections' Redial Attempts contains non-digits");
    if (dialled > 0 && attempts.empty())
        return Composed("%s, but the number of Redial Attempts is empty", phrase);
    if (!attempts.empty()) conf.redialAttempts = static_cast<std::int32_t>(DigitsValue(attempts));
    if (dialled > 0 && conf.redialAttempts < 1)
        return Composed("%s, but the number of Redial Attempts is less than 1", phrase);

    const std::string& interval = e.redialInterval;
    if (!interval.empty() && !IsAllDigits(interval))
        return Rejected("The Dialup Connections' Redial Interval contains non-digits");
    if (dialled > 0 && interval.empty() && !IsAbsent(conf.redialAttempts) && conf.redialAttempts >= 2)
        return Composed(
            "%s,\nand the Number of Redial Attempts is greater than 1,\nbut the Redial Interval is empty", phrase);
    if (!interval.empty()) conf.redialInterval = static_cast<std::int32_t>(DigitsValue(interval));
    return {};
}

Report StoreDialup(const EditorContents& e, NodeConf& conf)
{
    conf.dialupNumberCount = 0;
    const int pages = e.dialupNumbers.PageCount();
    if (pages > kDialupNumberSlots)
        return Composed("There are %d Dialup Telephone Numbers. This exceeds the maximum of %d", pages,
                        kDialupNumberSlots);
    for (int n = 1; n <= pages; ++n) {
        std::string text;
        const int length = e.dialupNumbers.GetPage(n, &text);
        if (length < 0) return Composed("(Internal Error)\nUnable to transfer Dialup Telephone Number %d", n);
        if (length > kDialupNumberLength) return Composed("Dialup Telephone Number #%d is too long enough", n);
        const int code = ValidateTelephoneNumber(text, kDialupNumberLength, kDialupNumberLength);
        if (code != 0 && code != kTelephoneEmpty && code != kTelephoneOnlySpaces) return {ItemCode(code, n)};
        CopyText(conf.dialupNumbers[n - 1], text);
        ComputeDerivedFields(conf);
    }

    const int count = DialupCount(e.dialups);
    if (count > kMaxDialupConnections)
        return Composed("There are %d Dialup Connections. This exceeds the maximum of %d", count,
                        kMaxDialupConnections);
    conf.dialupConnectionCount = count;
    for (int i = 0; i < count; ++i) {
        if (GetDialup(e.dialups, i, conf.dialupConnections[i]) != 0 ||
            !(conf.dialupConnections[i].flags & kDialValid))
            return Composed("Dialup Connection #%d is invalid", i + 1);
    }
    return {};
}

} // namespace

void LoadIntoEditor(const NodeConf& conf, EditorContents& e)
{
    e.uhfRadio = !(conf.networkFlags & kFlagNoRadio);
    if (conf.networkFlags & kFlagNoModem) {
        e.leasedLineModem = e.dialupModem = false;
    } else {
        e.leasedLineModem = (conf.networkFlags & kFlagLeasedLine) != 0;
        e.dialupModem = !e.leasedLineModem;
    }

    e.rtu = conf.highwayEncoding == 'R';
    e.sevenBit = conf.highwayCharSize == 7;
    switch (conf.highwayParity) {
    case 'E': e.parity = Parity::Even; break;
    case 'M': e.parity = Parity::Mark; break;
    case 'O': e.parity = Parity::Odd; break;
    default: e.parity = Parity::Space; break;
    }
    e.checkParity = conf.highwayCheckParity != 0;

    e.networkName = std::string(FixedText(conf.networkName).substr(0, kNetworkNameLength));
    e.nodeNumber = std::to_string(conf.nodeNumber);
    e.channel = NumberOrEmpty(conf.radioChannel);
    e.transmitPower = NumberOrEmpty(conf.transmitPower);
    e.maxRetries = NumberOrEmpty(conf.maxRetries);

    e.intervalCounter = e.alarmCounter = 0;
    e.transmitInterval = FormatDuration(static_cast<std::uint32_t>(conf.transmitInterval));
    e.alarmDelay = IsAbsent(conf.alarmDelay) ? "" : std::to_string(conf.alarmDelay / 60);

    e.lowPowerTransmitter = !IsAbsent(conf.preTransmitOnTime);
    e.preTransmitOnTime = e.lowPowerTransmitter ? std::to_string(conf.preTransmitOnTime) : "0";
    e.lowPowerReceiver = !IsAbsent(conf.lowPowerReceiver);

    e.connections = {};
    for (int i = 0; i < Clamped(conf.connectionCount, kMaxConnections); ++i)
        AddConnection(e.connections, conf.connections[i]);

    e.primaryRoutes = {};
    e.secondaryRoutes = {};
    for (int i = 0; i < Clamped(conf.primaryRouteCount, kMaxRoutes); ++i)
        AddRoute(e.primaryRoutes, conf.primaryRoutes[i]);
    for (int i = 0; i < Clamped(conf.secondaryRouteCount, kMaxRoutes); ++i)
        AddRoute(e.secondaryRoutes, conf.secondaryRoutes[i]);

    // A loaded configuration starts on each paged edit's first page, as a new one does.
    e.smsMessages.Clear();
    e.smsNumbers.Clear();
    e.dialupNumbers.Clear();
    for (int n = 1; n <= kSmsMessageSlots; ++n) e.smsMessages.PutPage(n, FixedText(conf.smsMessages[n - 1]));
    for (int n = 1; n <= kSmsNumberSlots; ++n) e.smsNumbers.PutPage(n, FixedText(conf.smsNumbers[n - 1]));

    e.alerts = {};
    for (int i = 0; i < Clamped(conf.smsConnectionCount, kMaxSmsConnections); ++i)
        AddAlert(e.alerts, conf.smsConnections[i]);

    e.redialAttempts = NumberOrEmpty(conf.redialAttempts);
    e.redialInterval = NumberOrEmpty(conf.redialInterval);

    for (int n = 1; n <= kDialupNumberSlots; ++n) e.dialupNumbers.PutPage(n, FixedText(conf.dialupNumbers[n - 1]));

    e.dialups = {};
    for (int i = 0; i < Clamped(conf.dialupConnectionCount, kMaxDialupConnections); ++i)
        AddDialup(e.dialups, conf.dialupConnections[i]);

    // The refresh: state changes go undetected under low-power operation.
    SetChangeDetection(e.connections, !LowPowerSelected(e));
}

Report StoreFromEditor(const EditorContents& e, NodeConf& conf, std::vector<int>* offendingLines)
{
    conf = NewNodeConf();
    if (offendingLines) offendingLines->clear();
    if (int code = StoreNetwork(e, conf)) return {code};
    if (int code = StoreConnections(e, conf, offendingLines)) return {code};
    if (int code = StoreRoutes(e.primaryRoutes, conf.primaryRoutes, conf.primaryRouteCount, kTooManyPrimaryRoutes,
                               kInternalPrimaryRouteUnreadable))
        return {code};
    if (int code = StoreRoutes(e.secondaryRoutes, conf.secondaryRoutes, conf.secondaryRouteCount,
                               kTooManySecondaryRoutes, kInternalSecondaryRouteUnreadable))
        return {code};
    if (int code = StoreSms(e, conf)) return {code};
    if (Report r = StoreRedial(e, conf); !r.ok()) return r;
    if (Report r = StoreDialup(e, conf); !r.ok()) return r;
    ComputeDerivedFields(conf);
    return {};
}

Report VerifyRecord(const NodeConf& conf, NodeConf* stored)
{
    EditorContents e;
    LoadIntoEditor(conf, e);
    NodeConf scratch;
    Report report = StoreFromEditor(e, scratch);
    if (stored) *stored = scratch;
    return report;
}

} // namespace mnm::editor
