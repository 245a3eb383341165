#include "sim/NodeModel.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "wire/NodeCodes.h"
#include "wire/NodeVersion.h"
#include "wire/WireRecords.h"

namespace mnm {
namespace {

using Reply = std::optional<std::vector<std::uint8_t>>;

constexpr int kLiveEndpoints = 40;
constexpr int kLiveGroupsPerReply = 31;
constexpr int kWritingReads = 2;
constexpr std::uint32_t kBaseFrequency = 458000000;
constexpr std::uint32_t kChannelSpacing = 12500;
constexpr int kMaxPresentPower = 999;
constexpr int kSmsTotalText = kSmsMessageSlots * (kSmsMessageLength + 1);
// Memory from this page on reads as erased flash, one byte standing for 64.
constexpr std::uint8_t kErasedMemoryPage = 0xF0;

// The received signal drifts across the test page's gauge with a little
// noise, -95 to -117 dBm, so that a demonstration is alive.
constexpr int kSignalMiddle = 106;
constexpr int kSignalSwing = 8;
constexpr int kSignalPeriod = 120; // status reads
constexpr int kSignalNoise = 3;
int SignalMagnitude(int tick)
{
    const int phase = tick % kSignalPeriod;
    const int triangle = phase < kSignalPeriod / 2 ? phase : kSignalPeriod - phase; // 0..period/2
    const int wave = triangle * 4 * kSignalSwing / kSignalPeriod - kSignalSwing;
    const int noise = tick * 7919 % (2 * kSignalNoise + 1) - kSignalNoise;
    return kSignalMiddle + wave + noise;
}

// Of the first nodes, every fourth is heard from (its value the seconds since,
// halved) and one is in alarm (0); the others are unknown.
constexpr int kLiveHeardEvery = 4;
constexpr int kLiveAlarmNode = 8;
constexpr int kLiveMaxValue = 300;
std::uint32_t LiveValue(int node, int tick)
{
    if (node % kLiveHeardEvery != 0) return kNoLiveValue;
    if (node == kLiveAlarmNode) return 0;
    return static_cast<std::uint32_t>((node * 37 + tick / 20) % kLiveMaxValue + 1);
}

std::vector<std::uint8_t> U8(std::uint32_t v) { return {static_cast<std::uint8_t>(v)}; }
std::vector<std::uint8_t> U16(std::uint32_t v)
{
    std::vector<std::uint8_t> r(2);
    PutU16(r.data(), v);
    return r;
}
std::vector<std::uint8_t> U32(std::uint32_t v)
{
    std::vector<std::uint8_t> r(4);
    PutU32(r.data(), v);
    return r;
}
std::vector<std::uint8_t> Text(const char* text, std::size_t limit)
{
    return std::vector<std::uint8_t>(text, text + strnlen(text, limit));
}
// Declared length, the text, one terminating byte.
std::vector<std::uint8_t> Counted(const std::string& text, std::uint32_t declared)
{
    std::vector<std::uint8_t> r = U32(declared);
    r.insert(r.end(), text.begin(), text.end());
    r.push_back(0);
    return r;
}
std::string TextOf(const std::uint8_t* data, int length, std::size_t limit)
{
    const std::size_t n = std::min(static_cast<std::size_t>(std::max(length, 0)), limit);
    return std::string(reinterpret_cast<const char*>(data), strnlen(reinterpret_cast<const char*>(data), n));
}
void Store(char* slot, std::size_t width, const std::string& text)
{
    std::memset(slot, 0, width + 1);
    std::memcpy(slot, text.data(), std::min(text.size(), width));
}
std::int32_t SignExtend16(std::uint16_t v) { return static_cast<std::int16_t>(v); }

// Which parts of the record each commit writes to flash.
void CopyNetwork(NodeConf& to, const NodeConf& from)
{
    std::memcpy(to.networkName, from.networkName, sizeof to.networkName);
    to.networkFlags = from.networkFlags;
    to.nodeNumber = from.nodeNumber;
    to.maxRetries = from.maxRetries;
    to.transmitInterval = from.transmitInterval;
    to.alarmDelay = from.alarmDelay;
}

} // namespace

NodeStaticData DefaultNodeHardware()
{
    NodeStaticData h;
    ClearNodeStaticData(h);
    AddCardName(h, "DIO-8");
    AddCardName(h, "AIO-4");
    AddChannelGroup(h, 0, 'd', 1, 8);
    AddChannelGroup(h, 0, 'D', 1, 8);
    AddChannelGroup(h, 1, 'a', 2, 4);
    AddChannelGroup(h, 1, 'A', 2, 2);
    AddChannelGroup(h, 1, 'p', 2, 2);
    AddChannelName(h, 'd', 1, 1, "Door open");
    AddChannelName(h, 'd', 1, 2, "Pump running");
    AddChannelName(h, 'a', 2, 1, "Tank level");
    std::strcpy(h.serialNumber, "MN-000123");
    std::strcpy(h.highestChannel, "16");
    std::strcpy(h.channelLayout, "Channels 1-16, 12.5 kHz steps above 458.000 MHz");
    return h;
}

NodeConf DefaultNodeConfiguration()
{
    NodeConf c = NewNodeConf();
    c.highwayEncoding = 'A';
    c.highwayCharSize = 8;
    c.highwayParity = 'E';
    c.highwayCheckParity = 1;
    std::strcpy(c.networkName, "DEMO");
    c.nodeNumber = 1;
    c.radioChannel = 5;
    c.transmitPower = 500;
    c.maxRetries = 3;
    c.transmitInterval = 600;
    c.alarmDelay = 1200;
    // No low-power operation, origins as this node (0): what the editor
    // stores, so a received default passes the check unchanged.
    c.preTransmitOnTime = static_cast<std::int32_t>(absent);
    c.lowPowerReceiver = static_cast<std::int32_t>(absent);
    MakeConnection(c.connections[0], 0, 'd', 1, 1, 2, 'D', 1, 1);
    MakeConnection(c.connections[1], 0, 'a', 2, 1, 0, 'A', 2, 1);
    c.connections[0].connFlags |= kConnOnChange;
    c.connections[1].connFlags |= kConnOnInterval;
    c.connectionCount = 2;
    c.primaryRoutes[0] = 2;
    c.primaryRouteCount = 1;
    return c;
}

NodeModel::NodeModel() : hardware_(DefaultNodeHardware())
{
    SetConfig(DefaultNodeConfiguration());
}

void NodeModel::SetConfig(const NodeConf& conf)
{
    working_ = flash_ = conf;
    ComputeDerivedFields(working_);
    ComputeDerivedFields(flash_);
    mode_ = kModeNetwork;
    highestChannel_ = std::atoi(hardware_.highestChannel);
    channel_ = IsAbsent(conf.radioChannel) ? 1 : std::clamp(static_cast<int>(conf.radioChannel), 1, highestChannel_);
    power_ = IsAbsent(conf.transmitPower) ? 500 : std::clamp(static_cast<int>(conf.transmitPower), 0, kMaxPresentPower);
}

void NodeModel::SetVersion(const std::string& text) { version_ = text.substr(0, kVersionTextLength); }

void NodeModel::SetHardware(const NodeStaticData& hardware)
{
    hardware_ = hardware;
    highestChannel_ = std::atoi(hardware_.highestChannel);
}

bool NodeModel::AtLeast(const char* version) const { return CompareVersions(version_.c_str(), version) >= 0; }

std::string NodeModel::NodeText()
{
    char text[64];
    std::snprintf(text, sizeof text, "Node %d: supply 12.%d V, %d messages relayed", working_.nodeNumber,
                  texts_ % 10, texts_ * 3);
    ++texts_;
    return text;
}

std::vector<std::uint8_t> NodeModel::StatusBlock() const
{
    std::vector<std::uint8_t> b(kStatusBlockSize, 0);
    PutU32(b.data(), static_cast<std::uint32_t>(SignalMagnitude(tick_)) << 16); // signal strength, -dBm
    b[4] = 1;                                                          // PLL locked
    b[5] = mode_;
    PutU32(b.data() + 8, kBaseFrequency + static_cast<std::uint32_t>(channel_) * kChannelSpacing);
    PutU32(b.data() + 12, static_cast<std::uint32_t>(power_) << 16 | static_cast<std::uint32_t>(channel_));
    return b;
}

Reply NodeModel::Query(std::uint8_t code, std::uint8_t p1, std::uint8_t p2)
{
    // An older node does not know the table sizes and network flags.
    const bool sizesQuery = code == query::kNetworkFlags || code == query::kSmsTableSizes ||
                            (code >= query::kRouteTableSize && code <= query::kDialupNumberCount);
    if (sizesQuery && !AtLeast(kVersionTableSizes)) return {};
    if (Reply r = NetworkQuery(code, p1, p2)) return r;
    if (Reply r = TableQuery(code, p1, p2)) return r;
    if (Reply r = HardwareQuery(code, p1)) return r;
    return LiveQuery(code, p1, p2);
}

Reply NodeModel::NetworkQuery(std::uint8_t code, std::uint8_t p1, std::uint8_t)
{
    const NodeConf& w = working_;
    switch (code) {
    case query::kNetworkFlags: return U32(w.networkFlags);
    case query::kRouteTableSize:
        if (p1 == 1) return U32(static_cast<std::uint32_t>(w.primaryRouteCount));
        if (p1 == 2) return U32(static_cast<std::uint32_t>(w.secondaryRouteCount));
        return std::vector<std::uint8_t>{};
    case query::kConnectionCount: return U32(static_cast<std::uint32_t>(w.connectionCount));
    case query::kDialupConnectionCount: return U32(static_cast<std::uint32_t>(w.dialupConnectionCount));
    case query::kDialupNumberCount: return U32(static_cast<std::uint32_t>(w.dialupNumberCount));
    case query::kRadioChannel: return U16(static_cast<std::uint32_t>(w.radioChannel));
    case query::kNodeNumber: return U8(static_cast<std::uint32_t>(w.nodeNumber));
    case query::kTransmitPower: return U16(static_cast<std::uint32_t>(w.transmitPower));
    case query::kNetworkName: {
        std::vector<std::uint8_t> name = Text(w.networkName, sizeof w.networkName - 1);
        if (name.empty()) name.push_back(0); // the reply needs one byte at least
        return name;
    }
    case query::kVersion: return Text(version_.c_str(), version_.size());
    case query::kTransmitInterval: return U32(static_cast<std::uint32_t>(w.transmitInterval));
    case query::kMaxRetries: return U32(static_cast<std::uint32_t>(w.maxRetries));
    case query::kAlarmDelay: return U32(static_cast<std::uint32_t>(w.alarmDelay));
    case query::kLowPowerReceiver:
        if (!lowPower_) return {};
        return U32(static_cast<std::uint32_t>(w.lowPowerReceiver));
    case query::kPreTransmitOnTime:
        if (!lowPower_) return {};
        return U32(static_cast<std::uint32_t>(w.preTransmitOnTime));
    case query::kHighway:
        if (!highway_) return {};
        return U32(static_cast<std::uint32_t>(static_cast<std::uint8_t>(w.highwayEncoding)) << 24 |
                   static_cast<std::uint32_t>(w.highwayCharSize) << 16 |
                   static_cast<std::uint32_t>(static_cast<std::uint8_t>(w.highwayParity)) << 8 | w.highwayCheckParity);
    case query::kRedialParameters: {
        if (!dialup_) return {};
        std::vector<std::uint8_t> r(20, 0xFF);
        PutU32(r.data(), static_cast<std::uint32_t>(w.redialAttempts));
        PutU32(r.data() + 4, static_cast<std::uint32_t>(w.redialInterval));
        return r;
    }
    case query::kFlashState: return U8(FlashState());
    default: return {};
    }
}

Reply NodeModel::TableQuery(std::uint8_t code, std::uint8_t p1, std::uint8_t p2)
{
    const NodeConf& w = working_;
    const int wide = p1 * 256 + p2;
    std::vector<std::uint8_t> none;
    switch (code) {
    case query::kConnection: {
        if (wide >= w.connectionCount) return none;
        std::vector<std::uint8_t> r(16);
        EncodeConnection(w.connections[wide], r.data());
        r[0] &= static_cast<std::uint8_t>(~kConnValid); // the node does not report validity
        return r;
    }
    case query::kRoute: {
        const int index = p2 == 0 ? kMaxRoutes : p2;
        if (p1 > 1) return none;
        const int count = p1 == 0 ? w.primaryRouteCount : w.secondaryRouteCount;
        if (index > count) return none;
        return U32((p1 == 0 ? w.primaryRoutes : w.secondaryRoutes)[index - 1]);
    }
    case query::kDialupConnection: {
        if (!dialup_) return {};
        if (p1 < 1 || p1 > w.dialupConnectionCount) return none;
        std::vector<std::uint8_t> r(20);
        EncodeDialupConnection(w.dialupConnections[p1 - 1], r.data());
        return r;
    }
    case query::kDialupNumber: {
        if (!dialup_) return {};
        if (p1 < 1 || p1 > w.dialupNumberCount) return none;
        const std::string number = TextOf(reinterpret_cast<const std::uint8_t*>(w.dialupNumbers[p1 - 1]),
                                          kDialupNumberLength, kDialupNumberLength);
        return Counted(number, static_cast<std::uint32_t>(number.size()));
    }
    case query::kSmsTableSizes: {
        if (!sms_) return {};
        std::vector<std::uint8_t> r(kSmsTableSizesWireSize);
        EncodeSmsTableSizes({w.smsConnectionCount, w.smsNumberCount, w.smsMessageCount, 0, kMaxSmsConnections,
                             kSmsNumberSlots, kSmsMessageSlots, kSmsTotalText, kSmsMessageLength},
                            r.data());
        return r;
    }
    case query::kSmsMessageSegment: {
        if (!sms_) return {};
        if (p2 < 1 || p2 > kSmsMessageSlots) return none;
        const std::string text = TextOf(reinterpret_cast<const std::uint8_t*>(w.smsMessages[p2 - 1]),
                                        kSmsMessageLength, kSmsMessageLength);
        const std::size_t from = std::min(text.size(), static_cast<std::size_t>(p1) * kSmsSegmentLength);
        return Counted(text.substr(from, kSmsSegmentLength), static_cast<std::uint32_t>(text.size() - from));
    }
    case query::kSmsNumber: {
        if (!sms_) return {};
        if (wide < 1 || wide > w.smsNumberCount) return none;
        const std::string number = TextOf(reinterpret_cast<const std::uint8_t*>(w.smsNumbers[wide - 1]),
                                          kSmsNumberLength, kSmsNumberLength);
        return Counted(number, static_cast<std::uint32_t>(number.size()));
    }
    case query::kSmsConnection: {
        if (!sms_) return {};
        if (wide < 1 || wide > w.smsConnectionCount) return none;
        std::vector<std::uint8_t> r(24);
        EncodeSmsConnection(w.smsConnections[wide - 1], r.data());
        return r;
    }
    default: return {};
    }
}

Reply NodeModel::HardwareQuery(std::uint8_t code, std::uint8_t p1)
{
    const NodeStaticData& h = hardware_;
    std::vector<std::uint8_t> none;
    switch (code) {
    case query::kChannelName: {
        if (p1 < 1 || p1 > h.channelNameCount) return std::vector<std::uint8_t>{0}; // end of the list
        const ChannelNameEntry& n = h.channelNames[p1 - 1];
        std::vector<std::uint8_t> r{1, static_cast<std::uint8_t>(n.kind), n.card, n.channel};
        const std::vector<std::uint8_t> name = Text(n.name, kChannelNameLength);
        r.insert(r.end(), name.begin(), name.end());
        return r;
    }
    case query::kCardNameCount: return U8(static_cast<std::uint32_t>(h.cardNameCount));
    case query::kCardName:
        if (p1 < 1 || p1 > h.cardNameCount) return none;
        return Text(h.cardNames[p1 - 1], kCardNameLength);
    case query::kChannelGroup: {
        if (p1 < 1 || p1 > h.channelGroupCount) return none;
        const ChannelGroupEntry& g = h.channelGroups[p1 - 1];
        return std::vector<std::uint8_t>{static_cast<std::uint8_t>(g.cardPosition), static_cast<std::uint8_t>(g.kind),
                                         static_cast<std::uint8_t>(g.cardNumber),
                                         static_cast<std::uint8_t>(g.channelCount)};
    }
    case query::kSerialNumber: return Text(h.serialNumber, kSerialNumberLength);
    case query::kChannelLayout: return Text(h.channelLayout, kChannelLayoutLength);
    case query::kHighestChannel: return U8(static_cast<std::uint32_t>(highestChannel_));
    default: return {};
    }
}

Reply NodeModel::LiveQuery(std::uint8_t code, std::uint8_t p1, std::uint8_t p2)
{
    switch (code) {
    case query::kStatusBlock: ++tick_; return StatusBlock();
    case query::kPresentChannel: return U16(static_cast<std::uint32_t>(channel_));
    case query::kPresentPower: return U16(static_cast<std::uint32_t>(power_));
    case query::kLiveValues: {
        std::vector<std::uint8_t> r;
        for (int i = p1; i < kLiveEndpoints && i < p1 + kLiveGroupsPerReply; ++i) {
            r.push_back(static_cast<std::uint8_t>(i));
            const std::vector<std::uint8_t> v = U16(LiveValue(i, tick_));
            r.insert(r.end(), v.begin(), v.end());
        }
        return r;
    }
    case query::kMonitorReading: {
        std::vector<std::uint8_t> r(kMonitorReadingSize, 0);
        if (monitored_[0] == 0) return r;
        PutU32(r.data(), static_cast<std::uint32_t>((monitored_[1] * 7 + monitored_[2] * 3 + tick_++) % 1024));
        std::memcpy(r.data() + 5, monitored_, 3);
        return r;
    }
    case query::kMemory: {
        if (p1 >= kErasedMemoryPage) return U8(0xFF);
        const std::uint32_t address = static_cast<std::uint32_t>(p1) * 4096 + static_cast<std::uint32_t>(p2) * 16;
        std::vector<std::uint8_t> r(kMemoryBlockSize);
        for (int k = 0; k < kMemoryBlockSize; ++k) r[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>((address + k) ^ 0x5A);
        return r;
    }
    default: return {};
    }
}

std::optional<int> NodeModel::Command(std::uint8_t code, const std::uint8_t* data, int length)
{
    if ((code == command::kNetworkFlags || code == command::kWipeFlash) && !AtLeast(kVersionTableSizes)) return {};
    if (code == command::kTaskScheduler && !AtLeast(kVersionTaskScheduler)) return {};
    std::optional<int> s = FlashCommand(code, data, length);
    if (!s) s = ParameterCommand(code, data, length);
    if (!s) s = TableCommand(code, data, length);
    if (!s) s = RadioCommand(code, data, length);
    ComputeDerivedFields(working_);
    return s;
}

std::optional<int> NodeModel::ParameterCommand(std::uint8_t code, const std::uint8_t* d, int n)
{
    NodeConf& w = working_;
    const bool older = !AtLeast(kVersionAbsentValues);
    switch (code) {
    case command::kNetworkFlags:
        if (n != 4) return kStatusRefused;
        w.networkFlags = GetU32(d);
        return kStatusAccepted;
    case command::kTaskScheduler:
        if (n != 1) return kStatusRefused;
        scheduler_ = d[0];
        return kStatusAccepted;
    case command::kRadioChannel:
    case command::kTransmitPower: {
        if (n != 2) return kStatusRefused;
        const std::int32_t v = SignExtend16(GetU16(d));
        if (older && IsAbsent(v)) return kStatusRefused; // an older node wants a value
        (code == command::kRadioChannel ? w.radioChannel : w.transmitPower) = v;
        return kStatusAccepted;
    }
    case command::kNodeNumber:
        if (n != 2) return kStatusRefused;
        w.nodeNumber = GetU16(d);
        return kStatusAccepted;
    case command::kNetworkName:
        Store(w.networkName, sizeof w.networkName - 1, TextOf(d, n, sizeof w.networkName - 1));
        return kStatusAccepted;
    case command::kTransmitInterval:
    case command::kMaxRetries:
    case command::kAlarmDelay: {
        if (n != 4) return kStatusRefused;
        const std::int32_t v = static_cast<std::int32_t>(GetU32(d));
        if (older && IsAbsent(v) && code != command::kAlarmDelay) return kStatusRefused;
        (code == command::kTransmitInterval ? w.transmitInterval : code == command::kMaxRetries ? w.maxRetries : w.alarmDelay) = v;
        return kStatusAccepted;
    }
    case command::kLowPowerReceiver:
    case command::kPreTransmitOnTime:
        if (!lowPower_) return std::nullopt;
        if (n != 4) return kStatusRefused;
        (code == command::kLowPowerReceiver ? w.lowPowerReceiver : w.preTransmitOnTime) = static_cast<std::int32_t>(GetU32(d));
        return kStatusAccepted;
    case command::kHighway:
        if (!highway_) return std::nullopt;
        if (n != 4) return kStatusRefused;
        w.highwayEncoding = static_cast<char>(d[0]);
        w.highwayCharSize = d[1];
        w.highwayParity = static_cast<char>(d[2]);
        w.highwayCheckParity = d[3];
        return kStatusAccepted;
    case command::kRedialParameters:
        if (n != 20) return kStatusRefused;
        w.redialAttempts = static_cast<std::int32_t>(GetU32(d));
        w.redialInterval = static_cast<std::int32_t>(GetU32(d + 4));
        return kStatusAccepted;
    default: return std::nullopt;
    }
}

// The sender always clears a table before it writes one, so a clear empties
// everything that belongs to it (numbers and texts included): nothing of an
// earlier, longer configuration survives.
std::optional<int> NodeModel::TableCommand(std::uint8_t code, const std::uint8_t* d, int n)
{
    NodeConf& w = working_;
    const int index = n >= 2 ? GetU16(d) : -1;
    switch (code) {
    case command::kConnection:
        if (n == 0) {
            std::memset(w.connections, 0, sizeof w.connections);
            w.connectionCount = 0;
            return kStatusAccepted;
        }
        if (n != 18 || index >= kMaxConnections) return kStatusRefused;
        w.connections[index] = DecodeConnection(d + 2);
        w.connectionCount = std::max(w.connectionCount, index + 1);
        return kStatusAccepted;
    case command::kRoute: {
        if (n == 0) {
            std::memset(w.primaryRoutes, 0, sizeof w.primaryRoutes);
            std::memset(w.secondaryRoutes, 0, sizeof w.secondaryRoutes);
            w.primaryRouteCount = w.secondaryRouteCount = 0;
            return kStatusAccepted;
        }
        if (n != 6 || index < 1 || index > kSecondaryRouteBase + kMaxRoutes) return kStatusRefused;
        const bool primary = index <= kSecondaryRouteBase;
        const int k = primary ? index : index - kSecondaryRouteBase;
        (primary ? w.primaryRoutes : w.secondaryRoutes)[k - 1] = GetU32(d + 2);
        std::int32_t& count = primary ? w.primaryRouteCount : w.secondaryRouteCount;
        count = std::max(count, k);
        return kStatusAccepted;
    }
    case command::kDialupConnection:
        if (n == 2 && index == 0) {
            std::memset(w.dialupConnections, 0, sizeof w.dialupConnections);
            std::memset(w.dialupNumbers, 0, sizeof w.dialupNumbers);
            w.dialupConnectionCount = 0;
            return kStatusAccepted;
        }
        if (n != 22 || index < 1 || index > kMaxDialupConnections) return kStatusRefused;
        w.dialupConnections[index - 1] = DecodeDialupConnection(d + 2);
        w.dialupConnectionCount = std::max(w.dialupConnectionCount, index);
        return kStatusAccepted;
    case command::kDialupNumber:
        if (index < 1 || index > kDialupNumberSlots) return kStatusRefused;
        Store(w.dialupNumbers[index - 1], kDialupNumberLength, TextOf(d + 2, n - 2, kDialupNumberLength));
        return kStatusAccepted;
    case command::kSmsConnection:
        if (n == 0) {
            std::memset(w.smsConnections, 0, sizeof w.smsConnections);
            std::memset(w.smsNumbers, 0, sizeof w.smsNumbers);
            std::memset(w.smsMessages, 0, sizeof w.smsMessages);
            w.smsConnectionCount = 0;
            return kStatusAccepted;
        }
        if (n != 26 || index < 1 || index > kMaxSmsConnections) return kStatusRefused;
        w.smsConnections[index - 1] = DecodeSmsConnection(d + 2);
        w.smsConnectionCount = std::max(w.smsConnectionCount, index);
        return kStatusAccepted;
    case command::kSmsNumber:
        if (index < 1 || index > kSmsNumberSlots) return kStatusRefused;
        Store(w.smsNumbers[index - 1], kSmsNumberLength, TextOf(d + 2, n - 2, kSmsNumberLength));
        return kStatusAccepted;
    case command::kSmsMessageSegment: {
        if (n < 2 || d[1] < 1 || d[1] > kSmsMessageSlots) return kStatusRefused;
        char* slot = w.smsMessages[d[1] - 1];
        const std::size_t from = static_cast<std::size_t>(d[0]) * kSmsSegmentLength;
        if (from > strnlen(slot, kSmsMessageLength)) return kStatusRefused; // a gap before the segment
        std::string text = std::string(slot, from) + TextOf(d + 2, n - 2, kSmsSegmentLength);
        Store(slot, kSmsMessageLength, text);
        return kStatusAccepted;
    }
    default: return std::nullopt;
    }
}

std::optional<int> NodeModel::RadioCommand(std::uint8_t code, const std::uint8_t* d, int n)
{
    switch (code) {
    case command::kEndpointControl:
        if (n == 14) {
            const std::uint16_t action = GetU16(d + 2);
            if (action == kControlLocalCarrier) mode_ = kModeCarrierReceive;
            if (action == kControlNetwork) mode_ = kModeNetwork;
        } else if (n == 4) {
            if (d[3] == kToggleWhenReceiving) mode_ = kModeCarrierTransmit;
            if (d[3] == kToggleOtherwise) mode_ = kModeCarrierReceive;
        }
        return kStatusAccepted;
    case command::kEndpointControlNode:
    case command::kEngineering:
    case command::kOnOff: return kStatusAccepted;
    case command::kSelectMonitor:
        if (n != 5) return kStatusRefused;
        std::memcpy(monitored_, d + 1, 3);
        return kStatusAccepted;
    case command::kSetChannel:
        if (n != 2) return kStatusRefused;
        channel_ = std::clamp(static_cast<int>(GetU16(d)), 1, std::max(1, highestChannel_));
        return kStatusAccepted;
    case command::kSetPower:
        if (n != 2) return kStatusRefused;
        power_ = std::min(static_cast<int>(GetU16(d)), kMaxPresentPower);
        return kStatusAccepted;
    default: return std::nullopt;
    }
}

// A commit answers "flash write started"; the part is in flash once the
// flash state has said "still writing" a couple of times.
std::optional<int> NodeModel::FlashCommand(std::uint8_t code, const std::uint8_t* d, int n)
{
    switch (code) {
    case command::kHighwayToFlash:
        if (!highway_) return std::nullopt;
        if (n != 4) return kStatusRefused;
        working_.highwayEncoding = static_cast<char>(d[0]);
        working_.highwayCharSize = d[1];
        working_.highwayParity = static_cast<char>(d[2]);
        working_.highwayCheckParity = d[3];
        break;
    case command::kCommitHighway:
        if (!highway_) return std::nullopt;
        break;
    case command::kCommitLowPower:
        if (!lowPower_) return std::nullopt;
        break;
    case command::kWipeFlash:
    case command::kCommitSms:
    case command::kCommitDialup:
    case command::kCommitRoutes:
    case command::kCommitRadio:
    case command::kCommitNetwork:
    case command::kCommitConnections: break;
    default: return std::nullopt;
    }
    if (pendingCommit_ >= 0) ApplyCommit(static_cast<std::uint8_t>(pendingCommit_));
    pendingCommit_ = code;
    writingReads_ = kWritingReads;
    return kStatusFlashStarted;
}

std::uint8_t NodeModel::FlashState()
{
    if (pendingCommit_ < 0) return kFlashWritten;
    if (writingReads_ > 0) {
        --writingReads_;
        return kFlashStillWriting;
    }
    ApplyCommit(static_cast<std::uint8_t>(pendingCommit_));
    pendingCommit_ = -1;
    return kFlashWritten;
}

void NodeModel::ApplyCommit(std::uint8_t code)
{
    NodeConf& f = flash_;
    const NodeConf& w = working_;
    switch (code) {
    case command::kWipeFlash: f = NewNodeConf(); break;
    case command::kCommitRoutes:
        std::memcpy(f.primaryRoutes, w.primaryRoutes, sizeof f.primaryRoutes);
        std::memcpy(f.secondaryRoutes, w.secondaryRoutes, sizeof f.secondaryRoutes);
        f.primaryRouteCount = w.primaryRouteCount;
        f.secondaryRouteCount = w.secondaryRouteCount;
        break;
    case command::kCommitRadio:
        f.radioChannel = w.radioChannel;
        f.transmitPower = w.transmitPower;
        break;
    case command::kCommitNetwork: CopyNetwork(f, w); break;
    case command::kCommitConnections:
        std::memcpy(f.connections, w.connections, sizeof f.connections);
        f.connectionCount = w.connectionCount;
        break;
    case command::kCommitHighway:
    case command::kHighwayToFlash:
        f.highwayEncoding = w.highwayEncoding;
        f.highwayCharSize = w.highwayCharSize;
        f.highwayParity = w.highwayParity;
        f.highwayCheckParity = w.highwayCheckParity;
        break;
    case command::kCommitLowPower:
        f.lowPowerReceiver = w.lowPowerReceiver;
        f.preTransmitOnTime = w.preTransmitOnTime;
        break;
    case command::kCommitSms:
        std::memcpy(f.smsConnections, w.smsConnections, sizeof f.smsConnections);
        std::memcpy(f.smsNumbers, w.smsNumbers, sizeof f.smsNumbers);
        std::memcpy(f.smsMessages, w.smsMessages, sizeof f.smsMessages);
        f.smsConnectionCount = w.smsConnectionCount;
        break;
    case command::kCommitDialup:
        std::memcpy(f.dialupConnections, w.dialupConnections, sizeof f.dialupConnections);
        std::memcpy(f.dialupNumbers, w.dialupNumbers, sizeof f.dialupNumbers);
        f.dialupConnectionCount = w.dialupConnectionCount;
        f.redialAttempts = w.redialAttempts;
        f.redialInterval = w.redialInterval;
        break;
    default: return;
    }
    if (commitFault_) {
        commitFault_(f);
        commitFault_(working_);
    }
    ComputeDerivedFields(f);
    ++commits_;
}

} // namespace mnm
