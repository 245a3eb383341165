#include "sim/SampleConfigurations.h"

#include "wire/NodeCodes.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace mnm {
namespace {

void Network(NodeConf& c)
{
    c.highwayEncoding = 'R';
    c.highwayCharSize = 8;
    c.highwayParity = 'N';
    c.highwayCheckParity = 0;
    std::strcpy(c.networkName, "ALPHA");
    c.networkFlags = kFlagNoModem; // keeps the highway encoding as it is on the line
    c.nodeNumber = 12;
    c.radioChannel = 7;
    c.transmitPower = 500;
    c.maxRetries = 3;
    c.transmitInterval = 600;
    c.alarmDelay = 1200;
    c.preTransmitOnTime = 50;
    c.lowPowerReceiver = 1;
    c.redialAttempts = 3;
    c.redialInterval = 5;
}

Connection Link(int from, int to, int card, int channel)
{
    Connection c;
    MakeConnection(c, from, 'd', card, channel, to, 'D', card, channel);
    c.connFlags |= kConnOnChange;
    c.changeThreshold = static_cast<std::uint32_t>(channel);
    return c;
}

SmsConnection Alert(int k)
{
    SmsConnection a{};
    a.kind = 'a';
    a.card = 2;
    a.channel = static_cast<std::uint8_t>(k % 4 + 1);
    a.condition = 3;
    a.limit = static_cast<std::uint16_t>(400 + k);
    a.hysteresis = 10;
    a.extra1 = kSmsNone;
    a.extra2 = kSmsNone;
    a.unit = 1;
    a.message = static_cast<std::uint8_t>(k % 32 + 1);
    a.telephone = static_cast<std::uint8_t>(k % 32 + 1);
    return a;
}

DialupConnection Dial(int k, bool secondary)
{
    DialupConnection d{};
    d.flags = kDialValid | kDialOnChange | (secondary ? kDialSecondary : 0);
    d.changeThreshold = 5;
    d.interval = static_cast<std::uint16_t>(60 + k);
    d.localKind = 'a';
    d.localCard = 2;
    d.localChannel = static_cast<std::uint8_t>(k % 4 + 1);
    d.remoteKind = 'A';
    d.remoteCard = 1;
    d.remoteChannel = static_cast<std::uint8_t>(k % 2 + 1);
    d.telephone = static_cast<std::uint8_t>(k % 32 + 1);
    d.remoteNode = static_cast<std::uint8_t>(k % 254 + 1);
    return d;
}

std::string Text(char first, int length)
{
    std::string s;
    for (int i = 0; i < length; ++i) s += static_cast<char>(first + i % 26);
    return s;
}

std::string Digits(char first, int length)
{
    std::string s;
    for (int i = 0; i < length; ++i) s += static_cast<char>('0' + (first - '0' + i) % 10);
    return s;
}

void Put(char* slot, const std::string& text) { std::memcpy(slot, text.c_str(), text.size() + 1); }

} // namespace

NodeConf SampleConfiguration()
{
    NodeConf c = NewNodeConf();
    Network(c);
    const int destinations[] = {0, 0, 3, 7, 7};
    for (int to : destinations) {
        c.connections[c.connectionCount] = Link(12, to, 1, c.connectionCount + 1);
        ++c.connectionCount;
    }
    for (std::uint32_t r : {3u, 5u, kRouteTelephone | 9u}) c.primaryRoutes[c.primaryRouteCount++] = r;
    for (std::uint32_t r : {4u, 6u}) c.secondaryRoutes[c.secondaryRouteCount++] = r;
    Put(c.smsMessages[0], Text('A', 40));
    Put(c.smsMessages[2], Text('a', kSmsMessageLength));
    Put(c.smsNumbers[0], "+441234567890");
    Put(c.smsNumbers[1], "01234 567890");
    c.smsConnections[c.smsConnectionCount++] = Alert(0);
    c.smsConnections[c.smsConnectionCount++] = Alert(1);
    Put(c.dialupNumbers[0], "0044123456789");
    Put(c.dialupNumbers[1], "9,01234567");
    c.dialupConnections[c.dialupConnectionCount++] = Dial(0, false);
    c.dialupConnections[c.dialupConnectionCount++] = Dial(1, true);
    ComputeDerivedFields(c);
    return c;
}

NodeConf EditedConfiguration()
{
    NodeConf c = SampleConfiguration();
    c.highwayParity = 'E'; // the editor has no parity 'N'
    // Without low-power operation the Alarm Delay is kept and transmitting
    // on change is allowed from any card.
    c.preTransmitOnTime = static_cast<std::int32_t>(absent);
    c.lowPowerReceiver = static_cast<std::int32_t>(absent);
    for (int i = 0; i < c.connectionCount; ++i) c.connections[i].originNode = 0; // the editor's own node
    for (int k = 0; k < c.smsConnectionCount; ++k) c.smsConnections[k].extra1 = c.smsConnections[k].extra2 = 0;
    Put(c.dialupNumbers[1], "9 01234567"); // the check refuses the pause comma
    return c;
}

NodeConf MaximalConfiguration()
{
    NodeConf c = NewNodeConf();
    Network(c);
    for (int i = 0; i < kMaxConnections; ++i) c.connections[i] = Link(12, i * 254 / kMaxConnections, i % 8 + 1, i % 16 + 1);
    c.connectionCount = kMaxConnections;
    for (int i = 0; i < kMaxRoutes; ++i) {
        c.primaryRoutes[i] = static_cast<std::uint32_t>(i + 1);
        c.secondaryRoutes[i] = static_cast<std::uint32_t>(255 - i);
    }
    c.primaryRouteCount = c.secondaryRouteCount = kMaxRoutes;
    for (int k = 0; k < kSmsMessageSlots; ++k) Put(c.smsMessages[k], Text(static_cast<char>('A' + k % 20), kSmsMessageLength));
    // Digits only, so that the editor's check takes them as telephone numbers.
    for (int k = 0; k < kSmsNumberSlots; ++k) Put(c.smsNumbers[k], Digits('0', kSmsNumberLength));
    for (int k = 0; k < kDialupNumberSlots; ++k) Put(c.dialupNumbers[k], Digits('1', kDialupNumberLength));
    for (int k = 0; k < kMaxSmsConnections; ++k) c.smsConnections[k] = Alert(k);
    c.smsConnectionCount = kMaxSmsConnections;
    for (int k = 0; k < kMaxDialupConnections; ++k) c.dialupConnections[k] = Dial(k, k % 2 == 1);
    c.dialupConnectionCount = kMaxDialupConnections;
    ComputeDerivedFields(c);
    return c;
}

NodeConf FullestNodeConfiguration()
{
    NodeConf c = MaximalConfiguration();
    c.primaryRouteCount = kSecondaryRouteBase;
    ComputeDerivedFields(c);
    return c;
}

} // namespace mnm
