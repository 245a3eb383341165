// The node configuration record: one plain, fixed-size value that every
// transfer (file, node, editor) goes through.
#pragma once

#include <cstdint>

namespace mnm {

// "Not set" in the numeric fields that allow it; compared unsigned, so it is
// larger than every real value.
inline constexpr std::uint32_t absent = 0xFFFFFFFFu;
inline bool IsAbsent(std::int32_t value) { return static_cast<std::uint32_t>(value) == absent; }

inline constexpr int kNetworkNameLength = 5;
inline constexpr int kMaxConnections = 192;
inline constexpr int kMaxRoutes = 256;
inline constexpr int kMaxSmsConnections = 32;
inline constexpr int kSmsNumberSlots = 32;
inline constexpr int kSmsNumberLength = 32;
inline constexpr int kSmsMessageSlots = 32;
inline constexpr int kSmsMessageLength = 160;
inline constexpr int kDialupNumberSlots = 32;
inline constexpr int kDialupNumberLength = 32;
inline constexpr int kMaxDialupConnections = 128;

// networkFlags bits.
inline constexpr std::uint32_t kFlagNoRadio = 0x1;
inline constexpr std::uint32_t kFlagLeasedLine = 0x2;
inline constexpr std::uint32_t kFlagNoModem = 0x4;

// Connection::connFlags bits.
inline constexpr std::uint8_t kConnValid = 0x80;
inline constexpr std::uint8_t kConnOnChange = 0x01;   // EV
inline constexpr std::uint8_t kConnOnInterval = 0x02; // IV

// DialupConnection::flags bits.
inline constexpr std::uint32_t kDialValid = 0x80000000u;
inline constexpr std::uint32_t kDialSecondary = 0x01;
inline constexpr std::uint32_t kDialOnChange = 0x02;
inline constexpr std::uint32_t kDialPercent = 0x04;
inline constexpr std::uint32_t kDialHasMaxPpm = 0x08;
inline constexpr std::uint32_t kDialOffset = 0x10;

// RouteEntry bit 31: route by telephone rather than through a repeater.
inline constexpr std::uint32_t kRouteTelephone = 0x80000000u;
using RouteEntry = std::uint32_t;

#pragma pack(push, 1)
struct Connection {
    std::uint8_t connFlags;
    std::uint8_t originNode;
    std::uint8_t originCard;
    std::uint8_t originChannel;
    char originKind;
    std::uint8_t destNode;
    std::uint8_t destCard;
    std::uint8_t destChannel;
    char destKind;
    std::uint8_t reserved[9];
    std::uint32_t connSpare;
    std::uint32_t changeThreshold;
    std::uint8_t pulseScaling;
};

struct SmsConnection {
    char kind;
    std::uint8_t card;
    std::uint8_t channel;
    std::uint8_t condition;
    std::uint16_t limit;
    std::uint16_t hysteresis;
    std::uint16_t extra1;
    std::uint16_t extra2;
    std::uint8_t unit;
    std::uint8_t message;
    std::uint8_t telephone;
    std::uint8_t reserved[9];
};

struct DialupConnection {
    std::uint32_t flags;
    std::uint16_t changeThreshold;
    std::uint16_t interval; // minutes, 0 = none
    std::uint16_t maxPpm;
    char localKind;
    std::uint8_t localCard;
    std::uint8_t localChannel;
    char remoteKind;
    std::uint8_t remoteCard;
    std::uint8_t remoteChannel;
    std::uint8_t telephone; // 1..32, 255 = leased line, 0 = none
    std::uint8_t remoteNode;
    std::uint8_t zero[2];
};
#pragma pack(pop)

static_assert(sizeof(Connection) == 27);
static_assert(sizeof(SmsConnection) == 24);
static_assert(sizeof(DialupConnection) == 20);

inline constexpr std::uint16_t kSmsNone = 65535; // limit / hysteresis not set
inline constexpr std::uint8_t kDialLeasedLine = 255;

struct NodeConf {
    char highwayEncoding;
    std::uint8_t highwayCharSize;
    char highwayParity;
    std::uint8_t highwayCheckParity;
    char networkName[9];
    std::uint32_t networkFlags;
    std::int32_t nodeNumber;
    std::int32_t radioChannel;
    std::int32_t transmitPower;
    std::int32_t maxRetries;
    std::int32_t transmitInterval;
    std::int32_t alarmDelay;
    std::int32_t preTransmitOnTime;
    std::int32_t lowPowerReceiver;
    std::int32_t connectionCount;
    std::int32_t primaryRouteCount;
    std::int32_t secondaryRouteCount;
    std::int32_t smsConnectionCount;
    std::int32_t smsNumberCount;   // derived
    std::int32_t smsMessageCount;  // derived
    std::int32_t smsMessageBytes;  // derived
    Connection connections[kMaxConnections];
    RouteEntry primaryRoutes[kMaxRoutes];
    RouteEntry secondaryRoutes[kMaxRoutes];
    SmsConnection smsConnections[kMaxSmsConnections];
    char smsNumbers[kSmsNumberSlots][kSmsNumberLength + 1];
    char smsMessages[kSmsMessageSlots][kSmsMessageLength + 1];
    std::int32_t dialupNumberCount; // derived
    char dialupNumbers[kDialupNumberSlots][kDialupNumberLength + 1];
    std::int32_t dialupConnectionCount;
    DialupConnection dialupConnections[kMaxDialupConnections];
    std::int32_t redialAttempts;
    std::int32_t redialInterval;
};

// A new record: every count 0, every text empty, every entry zero.
NodeConf NewNodeConf();

// Builds a connection from its eight endpoint values. Returns 0, or the first
// failing check (-1..-8) with the entry left all zero.
int MakeConnection(Connection& out, int originNode, char originKind, int originCard,
                   int originChannel, int destNode, char destKind, int destCard, int destChannel);

// Equal when both endpoints (node, kind, card, channel) are equal.
bool ConnectionsEqual(const Connection& a, const Connection& b);

// Recomputes smsNumberCount, smsMessageCount, smsMessageBytes and dialupNumberCount.
void ComputeDerivedFields(NodeConf& conf);

} // namespace mnm
