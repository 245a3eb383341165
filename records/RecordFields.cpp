#include "records/RecordFields.h"

#include <cstddef>

namespace mnm {

#define MNM_FIELD(type, member, kind) FieldSpec{#member, FieldKind::kind, offsetof(type, member), sizeof(type::member)}

namespace {

constexpr FieldSpec kConnection[] = {
    MNM_FIELD(Connection, connFlags, Unsigned),    MNM_FIELD(Connection, originNode, Unsigned),
    MNM_FIELD(Connection, originCard, Unsigned),   MNM_FIELD(Connection, originChannel, Unsigned),
    MNM_FIELD(Connection, originKind, Letter),     MNM_FIELD(Connection, destNode, Unsigned),
    MNM_FIELD(Connection, destCard, Unsigned),     MNM_FIELD(Connection, destChannel, Unsigned),
    MNM_FIELD(Connection, destKind, Letter),       MNM_FIELD(Connection, connSpare, Unsigned),
    MNM_FIELD(Connection, changeThreshold, Unsigned), MNM_FIELD(Connection, pulseScaling, Unsigned),
};

constexpr FieldSpec kSmsConnection[] = {
    MNM_FIELD(SmsConnection, kind, Letter),        MNM_FIELD(SmsConnection, card, Unsigned),
    MNM_FIELD(SmsConnection, channel, Unsigned),   MNM_FIELD(SmsConnection, condition, Unsigned),
    MNM_FIELD(SmsConnection, limit, Unsigned),     MNM_FIELD(SmsConnection, hysteresis, Unsigned),
    MNM_FIELD(SmsConnection, extra1, Unsigned),    MNM_FIELD(SmsConnection, extra2, Unsigned),
    MNM_FIELD(SmsConnection, unit, Unsigned),      MNM_FIELD(SmsConnection, message, Unsigned),
    MNM_FIELD(SmsConnection, telephone, Unsigned), MNM_FIELD(SmsConnection, reserved, Bytes),
};

constexpr FieldSpec kDialupConnection[] = {
    MNM_FIELD(DialupConnection, flags, Unsigned),        MNM_FIELD(DialupConnection, changeThreshold, Unsigned),
    MNM_FIELD(DialupConnection, interval, Unsigned),     MNM_FIELD(DialupConnection, maxPpm, Unsigned),
    MNM_FIELD(DialupConnection, localKind, Letter),      MNM_FIELD(DialupConnection, localCard, Unsigned),
    MNM_FIELD(DialupConnection, localChannel, Unsigned), MNM_FIELD(DialupConnection, remoteKind, Letter),
    MNM_FIELD(DialupConnection, remoteCard, Unsigned),   MNM_FIELD(DialupConnection, remoteChannel, Unsigned),
    MNM_FIELD(DialupConnection, telephone, Unsigned),    MNM_FIELD(DialupConnection, remoteNode, Unsigned),
};

#define MNM_TABLE(member, kind, count, fields)                                                             \
    FieldSpec{#member, FieldKind::kind, offsetof(NodeConf, member), sizeof(NodeConf::member[0]),               \
              sizeof(NodeConf::member) / sizeof(NodeConf::member[0]), offsetof(NodeConf, count), fields}
#define MNM_TEXTS(member)                                                                                      \
    FieldSpec{#member, FieldKind::Texts, offsetof(NodeConf, member), sizeof(NodeConf::member[0]),              \
              sizeof(NodeConf::member) / sizeof(NodeConf::member[0])}

const FieldSpec kRecord[] = {
    MNM_FIELD(NodeConf, highwayEncoding, Letter),
    MNM_FIELD(NodeConf, highwayCharSize, Unsigned),
    MNM_FIELD(NodeConf, highwayParity, Letter),
    MNM_FIELD(NodeConf, highwayCheckParity, Unsigned),
    MNM_FIELD(NodeConf, networkName, Text),
    MNM_FIELD(NodeConf, networkFlags, Unsigned),
    MNM_FIELD(NodeConf, nodeNumber, Signed),
    MNM_FIELD(NodeConf, radioChannel, Optional),
    MNM_FIELD(NodeConf, transmitPower, Optional),
    MNM_FIELD(NodeConf, maxRetries, Optional),
    MNM_FIELD(NodeConf, transmitInterval, Optional),
    MNM_FIELD(NodeConf, alarmDelay, Optional),
    MNM_FIELD(NodeConf, preTransmitOnTime, Optional),
    MNM_FIELD(NodeConf, lowPowerReceiver, Optional),
    MNM_FIELD(NodeConf, connectionCount, Count),
    MNM_FIELD(NodeConf, primaryRouteCount, Count),
    MNM_FIELD(NodeConf, secondaryRouteCount, Count),
    MNM_FIELD(NodeConf, smsConnectionCount, Count),
    MNM_FIELD(NodeConf, smsNumberCount, Derived),
    MNM_FIELD(NodeConf, smsMessageCount, Derived),
    MNM_FIELD(NodeConf, smsMessageBytes, Derived),
    MNM_TABLE(connections, Entries, connectionCount, ConnectionFields),
    MNM_TABLE(primaryRoutes, Words, primaryRouteCount, nullptr),
    MNM_TABLE(secondaryRoutes, Words, secondaryRouteCount, nullptr),
    MNM_TABLE(smsConnections, Entries, smsConnectionCount, SmsConnectionFields),
    MNM_TEXTS(smsNumbers),
    MNM_TEXTS(smsMessages),
    MNM_FIELD(NodeConf, dialupNumberCount, Derived),
    MNM_TEXTS(dialupNumbers),
    MNM_FIELD(NodeConf, dialupConnectionCount, Count),
    MNM_TABLE(dialupConnections, Entries, dialupConnectionCount, DialupConnectionFields),
    MNM_FIELD(NodeConf, redialAttempts, Optional),
    MNM_FIELD(NodeConf, redialInterval, Optional),
};

#undef MNM_TABLE
#undef MNM_TEXTS

} // namespace

#undef MNM_FIELD

std::span<const FieldSpec> RecordFieldList() { return kRecord; }

std::span<const FieldSpec> ConnectionFields() { return kConnection; }
std::span<const FieldSpec> SmsConnectionFields() { return kSmsConnection; }
std::span<const FieldSpec> DialupConnectionFields() { return kDialupConnection; }

} // namespace mnm
