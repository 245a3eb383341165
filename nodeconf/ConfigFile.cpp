#include "nodeconf/ConfigFile.h"

#include "nodeconf/ResultCodes.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <istream>
#include <iterator>
#include <string>
#include <ostream>
#include <sstream>

namespace mnm {

namespace {

constexpr std::uint32_t kKeySignature = 0x00000000;
constexpr std::uint32_t kKeyIncomplete = 0x80000000;
constexpr std::uint32_t kKeyVersion = 0x88888888;
constexpr std::uint32_t kKeyEnd = 0x7FFFFFFF;
constexpr std::uint32_t kKeyNameLength = 0x8000;
constexpr std::uint32_t kKeyNodeNumber = 0x0002; // then the network records up to 0x000A
constexpr std::uint32_t kKeyNetworkFlags = 0x000A;
constexpr std::uint32_t kKeyHighway = 0x9000;
constexpr std::uint32_t kKeyConnections = 0xA000;
constexpr std::uint32_t kKeyConnectionIndex = 0xA100;
constexpr std::uint32_t kKeyPrimaryRoutes = 0x11000;
constexpr std::uint32_t kKeySecondaryRoutes = 0x12000;
constexpr std::uint32_t kKeySmsMessages = 0x13000;
constexpr std::uint32_t kKeySmsNumbers = 0x14000;
constexpr std::uint32_t kKeySmsConnections = 0x15000;
constexpr std::uint32_t kKeySmsConnectionIndex = 0xD000;
constexpr std::uint32_t kKeyRedialAttempts = 0xB001;
constexpr std::uint32_t kKeyRedialInterval = 0xB002;
constexpr std::uint32_t kKeyDialupNumbers = 0x16000;
constexpr std::uint32_t kKeyDialupConnections = 0x17000;
constexpr std::uint32_t kKeyDialupConnectionIndex = 0xF000;

// Text sections: the index record is base + 0x100, the groups base + 1, + 2, ...
constexpr std::uint32_t kTextSmsMessage = 0xB000;
constexpr std::uint32_t kTextSmsNumber = 0xC000;
constexpr std::uint32_t kTextDialupNumber = 0xE000;

// Format versions from which optional sections are present.
constexpr std::uint32_t kVersionPulseScaling = 1027;
constexpr std::uint32_t kVersionSms = 1200;
constexpr std::uint32_t kVersionDialup = 1241;
constexpr std::uint32_t kVersionRedial = 1302;
constexpr std::uint32_t kVersionNetworkFlags = 0x02030039;

constexpr int kSmsGroups = 6;          // records of one SMS connection's bytes
constexpr int kDialupGroups = 5;       // records of one dialup connection's bytes
constexpr int kDialupFillerGroups = 2; // two unused records after each dialup entry

constexpr std::uintmax_t kRecordBytes = 19; // 16 digits and CR CR LF

// Records of a text at its longest: its groups of four and the closing group.
constexpr std::uintmax_t TextRecords(int length) { return std::uintmax_t(length) / 4 + 1; }

// Every record the writer can produce, each table full and each text at its longest.
constexpr std::uintmax_t kMostRecords =
    3                                                          // signature, incomplete marker, version
    + 3 + 8 + 1 + 1                                            // name, network values, flags, highway
    + 1 + std::uintmax_t(kMaxConnections) * 7                  // count, then index and six groups each
    + 2 * (1 + std::uintmax_t(kMaxRoutes) * 2)                 // two routing tables
    + 1 + kSmsMessageSlots * (1 + TextRecords(kSmsMessageLength))
    + 1 + kSmsNumberSlots * (1 + TextRecords(kSmsNumberLength))
    + 1 + std::uintmax_t(kMaxSmsConnections) * (1 + kSmsGroups)
    + 2                                                        // redial attempts and interval
    + 1 + kDialupNumberSlots * (1 + TextRecords(kDialupNumberLength))
    + 1 + std::uintmax_t(kMaxDialupConnections) * (1 + kDialupGroups + kDialupFillerGroups)
    + 1;                                                       // end marker

// A file far beyond the longest one is not a configuration file: it is
// refused by its size rather than read.
constexpr std::uintmax_t kFileSizeMargin = 16;
constexpr std::uintmax_t kMaxConfigFileBytes = kMostRecords * kRecordBytes * kFileSizeMargin;

std::uint32_t Pack(const std::uint8_t* b)
{
    return (std::uint32_t(b[0]) << 24) | (std::uint32_t(b[1]) << 16) | (std::uint32_t(b[2]) << 8) |
           std::uint32_t(b[3]);
}

void Unpack(std::uint32_t v, std::uint8_t* b)
{
    b[0] = std::uint8_t(v >> 24);
    b[1] = std::uint8_t(v >> 16);
    b[2] = std::uint8_t(v >> 8);
    b[3] = std::uint8_t(v);
}

std::uint32_t Pack4(int a, int b, int c, int d)
{
    const std::uint8_t bytes[4] = {std::uint8_t(a), std::uint8_t(b), std::uint8_t(c), std::uint8_t(d)};
    return Pack(bytes);
}

void PutLe16(std::uint8_t* at, std::uint16_t v)
{
    at[0] = std::uint8_t(v);
    at[1] = std::uint8_t(v >> 8);
}
std::uint16_t GetLe16(const std::uint8_t* at) { return std::uint16_t(at[0] | (at[1] << 8)); }

// The raw byte images of the table entries, with multi-byte fields in
// little-endian order whatever the host's order is.

void SmsToBytes(const SmsConnection& s, std::uint8_t (&b)[kSmsGroups * 4])
{
    std::memset(b, 0, sizeof b);
    b[0] = std::uint8_t(s.kind);
    b[1] = s.card;
    b[2] = s.channel;
    b[3] = s.condition;
    PutLe16(b + 4, s.limit);
    PutLe16(b + 6, s.hysteresis);
    PutLe16(b + 8, s.extra1);
    PutLe16(b + 10, s.extra2);
    b[12] = s.unit;
    b[13] = s.message;
    b[14] = s.telephone;
    std::memcpy(b + 15, s.reserved, sizeof s.reserved);
}

void SmsFromBytes(const std::uint8_t (&b)[kSmsGroups * 4], SmsConnection& s)
{
    s.kind = char(b[0]);
    s.card = b[1];
    s.channel = b[2];
    s.condition = b[3];
    s.limit = GetLe16(b + 4);
    s.hysteresis = GetLe16(b + 6);
    s.extra1 = GetLe16(b + 8);
    s.extra2 = GetLe16(b + 10);
    s.unit = b[12];
    s.message = b[13];
    s.telephone = b[14];
    std::memcpy(s.reserved, b + 15, sizeof s.reserved);
}

void DialupToBytes(const DialupConnection& d, std::uint8_t (&b)[kDialupGroups * 4])
{
    PutLe16(b, std::uint16_t(d.flags));
    PutLe16(b + 2, std::uint16_t(d.flags >> 16));
    PutLe16(b + 4, d.changeThreshold);
    PutLe16(b + 6, d.interval);
    PutLe16(b + 8, d.maxPpm);
    b[10] = std::uint8_t(d.localKind);
    b[11] = d.localCard;
    b[12] = d.localChannel;
    b[13] = std::uint8_t(d.remoteKind);
    b[14] = d.remoteCard;
    b[15] = d.remoteChannel;
    b[16] = d.telephone;
    b[17] = d.remoteNode;
    b[18] = d.zero[0];
    b[19] = d.zero[1];
}

void DialupFromBytes(const std::uint8_t (&b)[kDialupGroups * 4], DialupConnection& d)
{
    d.flags = std::uint32_t(GetLe16(b)) | (std::uint32_t(GetLe16(b + 2)) << 16);
    d.changeThreshold = GetLe16(b + 4);
    d.interval = GetLe16(b + 6);
    d.maxPpm = GetLe16(b + 8);
    d.localKind = char(b[10]);
    d.localCard = b[11];
    d.localChannel = b[12];
    d.remoteKind = char(b[13]);
    d.remoteCard = b[14];
    d.remoteChannel = b[15];
    d.telephone = b[16];
    d.remoteNode = b[17];
    d.zero[0] = b[18];
    d.zero[1] = b[19];
}

// ---------------------------------------------------------------- writing

class RecordWriter {
public:
    explicit RecordWriter(std::ostream& out) : out_(out) {}

    void Put(std::uint32_t key, std::uint32_t value)
    {
        if (failed_) return;
        char line[20];
        std::snprintf(line, sizeof line, "%08X%08X\r\r\n", key, value);
        if (!out_.write(line, 19)) failed_ = true;
    }

    void PutText(std::uint32_t base, const char* text, std::size_t capacity)
    {
        const std::size_t length = strnlen(text, capacity);
        for (std::size_t group = 0; group <= length / 4; ++group) {
            std::uint8_t bytes[4] = {};
            for (std::size_t i = 0; i < 4 && group * 4 + i < length; ++i)
                bytes[i] = std::uint8_t(text[group * 4 + i]);
            Put(base + 1 + std::uint32_t(group), Pack(bytes));
        }
    }

    template <std::size_t N>
    void PutGroups(std::uint32_t firstKey, const std::uint8_t (&bytes)[N])
    {
        for (std::size_t i = 0; i < N / 4; ++i) Put(firstKey + std::uint32_t(i), Pack(bytes + 4 * i));
    }

    bool Failed() const { return failed_; }
    void Fail() { failed_ = true; }

private:
    std::ostream& out_;
    bool failed_ = false;
};

template <std::size_t N, std::size_t L>
void PutTextTable(RecordWriter& w, std::uint32_t countKey, std::uint32_t base, const char (&texts)[N][L])
{
    w.Put(countKey, std::uint32_t(N));
    for (std::size_t n = 1; n <= N; ++n) {
        w.Put(base + 0x100, std::uint32_t(n));
        w.PutText(base, texts[n - 1], L - 1);
    }
}

// Counts are clamped to the table so a damaged record can never make us read
// past the end of a table.
int Clamp(std::int32_t count, int capacity) { return count < 0 ? 0 : (count > capacity ? capacity : count); }

} // namespace

int SaveToFile(const NodeConf& c, std::ostream& out)
{
    RecordWriter w(out);
    w.Put(kKeySignature, kFileSignature);
    w.Put(kKeyIncomplete, 0xFFFFFFFFu);
    w.Put(kKeyVersion, kFileVersion);

    const std::size_t nameLength = strnlen(c.networkName, kNetworkNameLength);
    std::uint8_t name[8] = {};
    std::memcpy(name, c.networkName, nameLength);
    w.Put(kKeyNameLength, std::uint32_t(nameLength));
    w.Put(kKeyNameLength + 1, Pack(name));
    w.Put(kKeyNameLength + 2, Pack(name + 4));

    const std::int32_t network[] = {c.nodeNumber,       c.radioChannel, c.transmitPower,
                                    c.maxRetries,       c.transmitInterval, c.alarmDelay,
                                    c.preTransmitOnTime, c.lowPowerReceiver};
    for (std::size_t i = 0; i < std::size(network); ++i)
        w.Put(kKeyNodeNumber + std::uint32_t(i), std::uint32_t(network[i]));
    w.Put(kKeyNetworkFlags, c.networkFlags);
    w.Put(kKeyHighway, Pack4(c.highwayEncoding, c.highwayCharSize, c.highwayParity, c.highwayCheckParity));

    const int connections = Clamp(c.connectionCount, kMaxConnections);
    w.Put(kKeyConnections, std::uint32_t(connections));
    for (int n = 1; n <= connections; ++n) {
        const Connection& e = c.connections[n - 1];
        w.Put(kKeyConnectionIndex, std::uint32_t(n));
        w.Put(kKeyConnections + 1, Pack4(e.originNode, e.originKind, e.originCard, e.originChannel));
        w.Put(kKeyConnections + 2, Pack4(e.destNode, e.destKind, e.destCard, e.destChannel));
        w.Put(kKeyConnections + 3, e.connFlags);
        w.Put(kKeyConnections + 4, e.connSpare);
        w.Put(kKeyConnections + 5, e.changeThreshold);
        w.Put(kKeyConnections + 6, e.pulseScaling);
    }

    const struct { std::uint32_t key; std::int32_t count; const RouteEntry* table; } routes[] = {
        {kKeyPrimaryRoutes, c.primaryRouteCount, c.primaryRoutes},
        {kKeySecondaryRoutes, c.secondaryRouteCount, c.secondaryRoutes}};
    for (const auto& r : routes) {
        const int count = Clamp(r.count, kMaxRoutes);
        w.Put(r.key, std::uint32_t(count));
        for (int n = 1; n <= count; ++n) {
            w.Put(r.key + 0x100, std::uint32_t(n));
            w.Put(r.key + 0x101, r.table[n - 1]);
        }
    }

    PutTextTable(w, kKeySmsMessages, kTextSmsMessage, c.smsMessages);
    PutTextTable(w, kKeySmsNumbers, kTextSmsNumber, c.smsNumbers);

    const int sms = Clamp(c.smsConnectionCount, kMaxSmsConnections);
    w.Put(kKeySmsConnections, std::uint32_t(sms));
    for (int n = 1; n <= sms; ++n) {
        std::uint8_t bytes[kSmsGroups * 4];
        SmsToBytes(c.smsConnections[n - 1], bytes);
        w.Put(kKeySmsConnectionIndex, std::uint32_t(n));
        w.PutGroups(kKeySmsConnectionIndex + 1, bytes);
    }

    w.Put(kKeyRedialAttempts, std::uint32_t(c.redialAttempts));
    w.Put(kKeyRedialInterval, std::uint32_t(c.redialInterval));

    PutTextTable(w, kKeyDialupNumbers, kTextDialupNumber, c.dialupNumbers);

    const int dialup = Clamp(c.dialupConnectionCount, kMaxDialupConnections);
    w.Put(kKeyDialupConnections, std::uint32_t(dialup));
    for (int n = 1; n <= dialup; ++n) {
        std::uint8_t bytes[kDialupGroups * 4];
        DialupToBytes(c.dialupConnections[n - 1], bytes);
        w.Put(kKeyDialupConnectionIndex, std::uint32_t(n));
        w.PutGroups(kKeyDialupConnectionIndex + 1, bytes);
        for (int f = 0; f < kDialupFillerGroups; ++f)
            w.Put(kKeyDialupConnectionIndex + kDialupGroups + 1 + std::uint32_t(f), 0);
    }

    w.Put(kKeyEnd, 0);
    if (!w.Failed() && !out.flush()) w.Fail();

    // Only now is the file whole: mark it complete in place.
    if (!w.Failed() && !out.seekp(0)) w.Fail();
    w.Put(kKeySignature, kFileSignature);
    w.Put(kKeyIncomplete, 0);
    if (!w.Failed() && !out.flush()) w.Fail();
    return w.Failed() ? -1 : 0;
}

// ---------------------------------------------------------------- reading

namespace {

// Reads records from the text-mode view of the bytes, in which a CR LF pair
// reads as a single LF; a record ends with one CR or LF, plus a second
// character when it completes a CR LF or LF CR pair.
class RecordReader {
public:
    explicit RecordReader(std::istream& in) : in_(*in.rdbuf()) {}

    bool Next(std::uint32_t& key, std::uint32_t& value)
    {
        std::uint32_t words[2] = {0, 0};
        for (auto& word : words) {
            for (int i = 0; i < 8; ++i) {
                const int digit = HexValue(Get());
                if (digit < 0) return false;
                word = (word << 4) | std::uint32_t(digit);
            }
        }
        const int first = Get();
        if (first != '\r' && first != '\n') return false;
        const int second = Peek();
        if ((first == '\r' && second == '\n') || (first == '\n' && second == '\r')) Get();
        key = words[0];
        value = words[1];
        return true;
    }

private:
    static int HexValue(int c)
    {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        return -1;
    }

    // Byte `i` ahead (0 or 1) without consuming it, or -1 at the end. The
    // stream is read as it goes, so a huge file is never held in memory.
    int Ahead(int i)
    {
        while (ahead_ <= i) {
            const auto c = in_.sbumpc();
            lookahead_[ahead_++] = c == std::char_traits<char>::eof() ? -1 : (c & 0xFF);
        }
        return lookahead_[i];
    }

    void Drop(int n)
    {
        for (int k = 0; k < n; ++k) {
            lookahead_[0] = lookahead_[1];
            --ahead_;
        }
    }

    // One character of the text-mode view, or -1 at the end.
    int Get()
    {
        const int c = Peek();
        Drop(c == '\n' && Ahead(0) == '\r' ? 2 : 1);
        return c;
    }

    int Peek()
    {
        const int c = Ahead(0);
        if (c == '\r' && Ahead(1) == '\n') return '\n';
        return c;
    }

    std::streambuf& in_;
    int lookahead_[2] = {-1, -1};
    int ahead_ = 0;
};

// Inner codes of a failure after the header; named in the report's text.
enum Inner : int {
    kUnreadable = -1,
    kWrongKey = -2,
    kBadConnectionIndex = -6,
    kBadRouteIndex = -7,
    kBadTextIndex = -8,
    kTextTooLong = -9,
    kBadSmsConnectionIndex = -11,
    kBadDialupConnectionIndex = -21,
    kBadConnectionCount = 41,
    kBadPrimaryRouteCount = 42,
    kBadSecondaryRouteCount = 43,
    kBadSmsMessageCount = 51,
    kBadSmsNumberCount = 61,
    kBadSmsConnectionCount = 71,
    kBadDialupNumberCount = 81,
    kBadDialupConnectionCount = 91,
};

class BodyReader {
public:
    explicit BodyReader(RecordReader& r) : r_(r) {}

    // A record whose key is not checked (inside an entry group).
    int Any(std::uint32_t& value)
    {
        std::uint32_t key;
        return r_.Next(key, value) ? 0 : kUnreadable;
    }

    int Keyed(std::uint32_t expected, std::uint32_t& value)
    {
        std::uint32_t key;
        if (!r_.Next(key, value)) return kUnreadable;
        return key == expected ? 0 : kWrongKey;
    }

    int Count(std::uint32_t key, int capacity, int failure, int& count)
    {
        std::uint32_t value;
        if (int rc = Keyed(key, value)) return rc;
        const auto signedValue = static_cast<std::int32_t>(value);
        if (signedValue < 0 || signedValue > capacity) return failure;
        count = signedValue;
        return 0;
    }

    int Index(bool checkKey, std::uint32_t key, int expected, int failure)
    {
        std::uint32_t value;
        if (int rc = checkKey ? Keyed(key, value) : Any(value)) return rc;
        return value == std::uint32_t(expected) ? 0 : failure;
    }

    int Text(std::uint32_t base, char* text, std::size_t capacity)
    {
        std::memset(text, 0, capacity + 1);
        std::size_t length = 0;
        for (std::uint32_t group = 1;; ++group) {
            std::uint32_t value;
            if (int rc = Keyed(base + group, value)) return rc;
            std::uint8_t bytes[4];
            Unpack(value, bytes);
            int taken = 0;
            while (taken < 4 && bytes[taken] != 0) {
                if (length == capacity) return kTextTooLong;
                text[length++] = char(bytes[taken++]);
            }
            if (taken < 4) return 0;
        }
    }

    template <std::size_t N, std::size_t L>
    int TextTable(std::uint32_t countKey, std::uint32_t base, int countFailure, char (&texts)[N][L])
    {
        std::uint32_t value;
        if (int rc = Keyed(countKey, value)) return rc;
        if (value != N) return countFailure;
        for (std::size_t n = 1; n <= N; ++n) {
            if (int rc = Index(true, base + 0x100, int(n), kBadTextIndex)) return rc;
            if (int rc = Text(base, texts[n - 1], L - 1)) return rc;
        }
        return 0;
    }

    template <std::size_t N>
    int Groups(std::uint8_t (&bytes)[N])
    {
        for (std::size_t i = 0; i < N / 4; ++i) {
            std::uint32_t value;
            if (int rc = Any(value)) return rc;
            Unpack(value, bytes + 4 * i);
        }
        return 0;
    }

private:
    RecordReader& r_;
};

int ReadBody(NodeConf& c, BodyReader& b, std::uint32_t version)
{
    std::uint32_t v;
    if (int rc = b.Keyed(kKeyNameLength, v)) return rc;
    if (v > std::uint32_t(kNetworkNameLength)) return kWrongKey;
    const std::size_t nameLength = v;
    std::uint8_t name[8];
    for (int g = 0; g < 2; ++g) {
        if (int rc = b.Keyed(kKeyNameLength + 1 + std::uint32_t(g), v)) return rc;
        Unpack(v, name + 4 * g);
    }
    std::memcpy(c.networkName, name, nameLength); // the rest of the array stays zero

    std::int32_t* network[] = {&c.nodeNumber,       &c.radioChannel, &c.transmitPower,
                               &c.maxRetries,       &c.transmitInterval, &c.alarmDelay,
                               &c.preTransmitOnTime, &c.lowPowerReceiver};
    for (std::size_t i = 0; i < std::size(network); ++i) {
        if (int rc = b.Keyed(kKeyNodeNumber + std::uint32_t(i), v)) return rc;
        *network[i] = static_cast<std::int32_t>(v);
    }
    if (version >= kVersionNetworkFlags) {
        if (int rc = b.Keyed(kKeyNetworkFlags, v)) return rc;
        c.networkFlags = v;
    }
    if (int rc = b.Keyed(kKeyHighway, v)) return rc;
    std::uint8_t highway[4];
    Unpack(v, highway);
    c.highwayEncoding = char(highway[0]);
    c.highwayCharSize = highway[1];
    c.highwayParity = char(highway[2]);
    c.highwayCheckParity = highway[3];

    int count = 0;
    if (int rc = b.Count(kKeyConnections, kMaxConnections, kBadConnectionCount, count)) return rc;
    c.connectionCount = count;
    for (int n = 1; n <= count; ++n) {
        if (int rc = b.Index(false, kKeyConnectionIndex, n, kBadConnectionIndex)) return rc;
        std::uint32_t group[6] = {};
        const int groups = version >= kVersionPulseScaling ? 6 : 5;
        for (int g = 0; g < groups; ++g)
            if (int rc = b.Any(group[g])) return rc;
        std::uint8_t origin[4], dest[4];
        Unpack(group[0], origin);
        Unpack(group[1], dest);
        Connection& e = c.connections[n - 1];
        // An entry whose endpoints do not build is left all zero, without its
        // valid bit, but keeps its transmit bits and other fields.
        MakeConnection(e, origin[0], char(origin[1]), origin[2], origin[3], dest[0], char(dest[1]), dest[2],
                       dest[3]);
        e.connFlags |= std::uint8_t(group[2] & (kConnOnChange | kConnOnInterval));
        e.connSpare = group[3];
        e.changeThreshold = group[4];
        e.pulseScaling = std::uint8_t(group[5]);
    }

    const struct { std::uint32_t key; int failure; std::int32_t* count; RouteEntry* table; } routes[] = {
        {kKeyPrimaryRoutes, kBadPrimaryRouteCount, &c.primaryRouteCount, c.primaryRoutes},
        {kKeySecondaryRoutes, kBadSecondaryRouteCount, &c.secondaryRouteCount, c.secondaryRoutes}};
    for (const auto& r : routes) {
        if (int rc = b.Count(r.key, kMaxRoutes, r.failure, count)) return rc;
        *r.count = count;
        for (int n = 1; n <= count; ++n) {
            if (int rc = b.Index(false, r.key + 0x100, n, kBadRouteIndex)) return rc;
            if (int rc = b.Any(r.table[n - 1])) return rc;
        }
    }

    if (version >= kVersionSms) {
        if (int rc = b.TextTable(kKeySmsMessages, kTextSmsMessage, kBadSmsMessageCount, c.smsMessages)) return rc;
        if (int rc = b.TextTable(kKeySmsNumbers, kTextSmsNumber, kBadSmsNumberCount, c.smsNumbers)) return rc;
        if (int rc = b.Count(kKeySmsConnections, kMaxSmsConnections, kBadSmsConnectionCount, count)) return rc;
        c.smsConnectionCount = count;
        for (int n = 1; n <= count; ++n) {
            if (int rc = b.Index(false, kKeySmsConnectionIndex, n, kBadSmsConnectionIndex)) return rc;
            std::uint8_t bytes[kSmsGroups * 4];
            if (int rc = b.Groups(bytes)) return rc;
            SmsFromBytes(bytes, c.smsConnections[n - 1]);
        }
    }
    if (version >= kVersionRedial) {
        if (int rc = b.Any(v)) return rc;
        c.redialAttempts = static_cast<std::int32_t>(v);
        if (int rc = b.Any(v)) return rc;
        c.redialInterval = static_cast<std::int32_t>(v);
    }
    if (version >= kVersionDialup) {
        if (int rc = b.TextTable(kKeyDialupNumbers, kTextDialupNumber, kBadDialupNumberCount, c.dialupNumbers))
            return rc;
        if (int rc = b.Count(kKeyDialupConnections, kMaxDialupConnections, kBadDialupConnectionCount, count))
            return rc;
        c.dialupConnectionCount = count;
        for (int n = 1; n <= count; ++n) {
            if (int rc = b.Index(false, kKeyDialupConnectionIndex, n, kBadDialupConnectionIndex)) return rc;
            std::uint8_t bytes[kDialupGroups * 4];
            if (int rc = b.Groups(bytes)) return rc;
            DialupFromBytes(bytes, c.dialupConnections[n - 1]);
            for (int f = 0; f < kDialupFillerGroups; ++f)
                if (int rc = b.Any(v)) return rc;
        }
    }
    return 0;
}

// The reading steps after the stream is known to be there.
Report ReadFile(NodeConf& conf, std::istream& in)
{
    RecordReader reader(in);
    std::uint32_t key, value;
    if (!reader.Next(key, value) || key != kKeySignature) return {kMissingSignature};
    if (value != kFileSignature && value != kOldFileSignature) return {kIncorrectSignature};
    const bool oldSignature = value == kOldFileSignature;
    if (!reader.Next(key, value) || key != kKeyIncomplete || value != 0) return {kFileIncomplete};
    std::uint32_t version = 0;
    if (!oldSignature) {
        if (!reader.Next(key, version) || key != kKeyVersion) return {kFileIncomplete};
    }

    BodyReader body(reader);
    if (int inner = ReadBody(conf, body, version))
        return Report{inner, "Error " + std::to_string(inner) + " whilst loading .MNC file."};
    if (!reader.Next(key, value) || key != kKeyEnd || value != 0) return {kUnexpectedEndOfFile};
    return {};
}

} // namespace

const std::uintmax_t kLargestConfigFile = kMostRecords * kRecordBytes;

Report LoadFromFile(NodeConf& conf, std::istream& in)
{
    conf = NewNodeConf();
    if (!in || in.rdbuf() == nullptr) return {kCannotReadFile};
    // A file stream's buffer throws when the system read fails (a directory
    // opened as a file, a device error); that is a file that cannot be read.
    try {
        return ReadFile(conf, in);
    } catch (const std::ios_base::failure&) {
        conf = NewNodeConf();
        return {kCannotReadFile};
    }
}

int SaveToPath(const NodeConf& conf, const std::string& path)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return kCannotWriteFile;
    return SaveToFile(conf, out);
}

Report LoadFromPath(NodeConf& conf, const std::string& path, FileStatus* status)
{
    std::string bytes;
    const FileStatus file = ReadRegularFile(path, kMaxConfigFileBytes, bytes);
    if (status != nullptr) *status = file;
    if (file.fault != FileFault::None) {
        conf = NewNodeConf();
        return {kCannotReadFile};
    }
    std::istringstream in(std::move(bytes), std::ios::binary);
    return LoadFromFile(conf, in);
}

} // namespace mnm
