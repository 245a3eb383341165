#include "nodeconf/ConfigFile.h"
#include "nodeconf/ErrorCatalogue.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <sstream>
#include <string>
#include <vector>

using namespace mnm;

namespace {

struct Rec { std::uint32_t key, value; };

std::string Save(const NodeConf& c)
{
    std::stringstream out(std::ios::in | std::ios::out | std::ios::binary);
    EXPECT_EQ(0, SaveToFile(c, out));
    return out.str();
}

std::vector<Rec> Records(const std::string& file)
{
    std::vector<Rec> recs;
    for (std::size_t at = 0; at + 19 <= file.size(); at += 19) {
        unsigned k, v;
        std::sscanf(file.substr(at, 16).c_str(), "%8x%8x", &k, &v);
        recs.push_back({k, v});
    }
    return recs;
}

std::string Join(const std::vector<Rec>& recs, const char* eol = "\r\r\n")
{
    std::string s;
    char line[24];
    for (const Rec& r : recs) {
        std::snprintf(line, sizeof line, "%08X%08X", r.key, r.value);
        s += line;
        s += eol;
    }
    return s;
}

Report Load(const std::string& file, NodeConf& c)
{
    std::istringstream in(file, std::ios::binary);
    return LoadFromFile(c, in);
}

// Index of the first record with `key` at or after `from`.
std::size_t Find(const std::vector<Rec>& recs, std::uint32_t key, std::size_t from = 0)
{
    for (std::size_t i = from; i < recs.size(); ++i)
        if (recs[i].key == key) return i;
    ADD_FAILURE() << "no record " << std::hex << key;
    return 0;
}

void FillText(char* text, std::size_t length, std::mt19937& rng)
{
    for (std::size_t i = 0; i < length; ++i) text[i] = char(0x20 + rng() % 0xDF); // never a zero byte
}

// A record with every table full of entries the file can carry exactly.
NodeConf FullRecord()
{
    std::mt19937 rng(7);
    NodeConf c = NewNodeConf();
    c.highwayEncoding = 'R';
    c.highwayCharSize = 7;
    c.highwayParity = 'O';
    c.highwayCheckParity = 1;
    std::strcpy(c.networkName, "AB 12");
    c.networkFlags = kFlagLeasedLine;
    c.nodeNumber = 254;
    c.radioChannel = 64;
    c.transmitPower = 1000;
    c.maxRetries = 9;
    c.transmitInterval = 86400;
    c.alarmDelay = -1;
    c.preTransmitOnTime = 60;
    c.lowPowerReceiver = 0;
    c.connectionCount = kMaxConnections;
    const char origins[] = "adps", dests[] = "ADP";
    for (int i = 0; i < kMaxConnections; ++i) {
        Connection& e = c.connections[i];
        EXPECT_EQ(0, MakeConnection(e, int(rng() % 255), origins[i % 4], int(rng() % 256), int(rng() % 256),
                                    int(rng() % 255), dests[i % 3], int(rng() % 256), int(rng() % 256)));
        e.connFlags |= std::uint8_t(i % 4);
        e.connSpare = std::uint32_t(rng());
        e.changeThreshold = std::uint32_t(rng());
        e.pulseScaling = std::uint8_t(rng());
    }
    c.primaryRouteCount = c.secondaryRouteCount = kMaxRoutes;
    for (int i = 0; i < kMaxRoutes; ++i) {
        c.primaryRoutes[i] = std::uint32_t(rng());
        c.secondaryRoutes[i] = std::uint32_t(rng());
    }
    c.smsConnectionCount = kMaxSmsConnections;
    for (auto& s : c.smsConnections) {
        unsigned char* bytes = reinterpret_cast<unsigned char*>(&s);
        for (std::size_t i = 0; i < sizeof s; ++i) bytes[i] = std::uint8_t(rng());
    }
    for (int i = 0; i < kSmsMessageSlots; ++i) FillText(c.smsMessages[i], std::size_t(i * 5 % 161), rng);
    for (int i = 0; i < kSmsNumberSlots; ++i) FillText(c.smsNumbers[i], std::size_t(i), rng);
    for (int i = 0; i < kDialupNumberSlots; ++i) FillText(c.dialupNumbers[i], std::size_t(32 - i), rng);
    c.dialupConnectionCount = kMaxDialupConnections;
    for (auto& d : c.dialupConnections) {
        unsigned char* bytes = reinterpret_cast<unsigned char*>(&d);
        for (std::size_t i = 0; i < sizeof d; ++i) bytes[i] = std::uint8_t(rng());
    }
    c.redialAttempts = 3;
    c.redialInterval = -1;
    return c;
}

void ExpectSame(const NodeConf& a, const NodeConf& b) { EXPECT_EQ(0, std::memcmp(&a, &b, sizeof a)); }

} // namespace

TEST(ConfigFileRoundTrip, DefaultRecordIsTheFixedSequence)
{
    const NodeConf zero = NewNodeConf();
    const std::string file = Save(zero);
    // 3 header, 3 name, 9 network, highway, 3 counts, 3 x 65 text records, SMS count, 2 redial, dialup count, end.
    EXPECT_EQ(219u * 19u, file.size());
    EXPECT_EQ(std::string("000000001F9E23C7\r\r\n"
                          "8000000000000000\r\r\n"
                          "8888888802040041\r\r\n"), file.substr(0, 57));
    EXPECT_EQ("7FFFFFFF00000000\r\r\n", file.substr(file.size() - 19));
    NodeConf back;
    ASSERT_EQ(0, Load(file, back).code);
    ExpectSame(zero, back);
}

TEST(ConfigFileRoundTrip, FullRecordComesBackWhole)
{
    NodeConf full = FullRecord();
    NodeConf back;
    ASSERT_EQ(0, Load(Save(full), back).code);
    ExpectSame(full, back);

    // Derived fields are never stored.
    ComputeDerivedFields(full);
    ASSERT_NE(0, full.smsMessageBytes);
    ASSERT_EQ(0, Load(Save(full), back).code);
    EXPECT_EQ(0, back.smsMessageBytes);
    EXPECT_EQ(0, back.dialupNumberCount);
}

TEST(ConfigFileFormat, NameAndTextGroups)
{
    NodeConf c = NewNodeConf();
    std::strcpy(c.networkName, "AB");
    std::string file = Save(c);
    EXPECT_NE(std::string::npos, file.find("0000800000000002\r\r\n0000800141420000\r\r\n0000800200000000\r\r\n"));

    std::strcpy(c.networkName, "VWXYZ");
    file = Save(c);
    EXPECT_NE(std::string::npos, file.find("0000800000000005\r\r\n0000800156575859\r\r\n000080025A000000\r\r\n"));

    // 160 characters: 40 full groups, then one all-zero group.
    std::memset(c.smsMessages[2], 'q', 160);
    auto recs = Records(Save(c));
    std::size_t at = Find(recs, 0xB100, Find(recs, 0x13000));
    at = Find(recs, 0xB100, at + 1);
    at = Find(recs, 0xB100, at + 1);
    ASSERT_EQ(3u, recs[at].value);
    for (std::uint32_t g = 1; g <= 40; ++g) EXPECT_EQ((Rec{0xB000 + g, 0x71717171}).value, recs[at + g].value);
    EXPECT_EQ(0xB029u, recs[at + 41].key);
    EXPECT_EQ(0u, recs[at + 41].value);
    NodeConf back;
    ASSERT_EQ(0, Load(Join(recs), back).code);
    EXPECT_EQ(std::string(160, 'q'), back.smsMessages[2]);
}

TEST(ConfigFileFormat, ReaderAcceptsOtherLineEndsAndLowerCase)
{
    const NodeConf full = FullRecord();
    const auto recs = Records(Save(full));
    for (const char* eol : {"\r\n", "\n", "\r", "\n\r"}) {
        NodeConf back;
        ASSERT_EQ(0, Load(Join(recs, eol), back).code) << int(eol[0]) << " " << std::strlen(eol);
        ExpectSame(full, back);
    }
    std::string lower = Save(full);
    for (char& ch : lower) ch = char(std::tolower(static_cast<unsigned char>(ch)));
    NodeConf back;
    ASSERT_EQ(0, Load(lower, back).code);
    ExpectSame(full, back);

    // CR CR CR LF is two line ends: the second record then starts with a line end.
    std::string doubled = Join(recs);
    doubled.replace(doubled.find("\r\r\n"), 3, "\r\r\r\n");
    EXPECT_EQ(-2153, Load(doubled, back).code);
}

TEST(ConfigFileErrors, HeaderCodes)
{
    const auto recs = Records(Save(NewNodeConf()));
    NodeConf c;
    std::istringstream bad;
    bad.setstate(std::ios::failbit);
    EXPECT_EQ(-2101, LoadFromFile(c, bad).code);
    EXPECT_EQ(-2101, LoadFromPath(c, "/nonexistent/dir/x.mnc").code);
    EXPECT_EQ(-2151, Load("", c).code);
    EXPECT_FALSE(Load("", c).text) << "a catalogue code brings no text of its own";
    EXPECT_EQ(-2151, Load("000000011F9E23C7\r\n", c).code);
    EXPECT_EQ(-2151, Load("000000001F9E23C", c).code);
    EXPECT_EQ(-2152, Load("0000000012345678\r\n", c).code);

    auto r = recs;
    r[1].value = 0xFFFFFFFF;
    EXPECT_EQ(-2153, Load(Join(r), c).code);
    r = recs;
    r.erase(r.begin() + 2); // no version record under the new signature
    EXPECT_EQ(-2153, Load(Join(r), c).code);

    r = recs;
    r.pop_back(); // ends after the dialup connections
    EXPECT_EQ(-2171, Load(Join(r), c).code);
    r = recs;
    r.back().value = 1;
    EXPECT_EQ(-2171, Load(Join(r), c).code);
}

TEST(ConfigFileErrors, InnerCodesAreNamedInTheReportsText)
{
    NodeConf one = NewNodeConf();
    one.connectionCount = one.primaryRouteCount = one.secondaryRouteCount = 1;
    MakeConnection(one.connections[0], 0, 'd', 1, 1, 0, 'D', 2, 1);
    one.smsConnectionCount = one.dialupConnectionCount = 1;
    const auto recs = Records(Save(one));

    struct Case { const char* what; std::uint32_t key; int nth; std::uint32_t value; int inner; };
    const Case cases[] = {
        {"wrong name key", 0x8000, 0, 0xDEAD, -2},
        {"name too long", 0x8000, 0, 6, -2},
        {"connection index", 0xA100, 0, 2, -6},
        {"route index", 0x11100, 0, 9, -7},
        {"secondary route index", 0x12100, 0, 0, -7},
        {"text index", 0xB100, 4, 4, -8},
        {"SMS connection index", 0xD000, 0, 3, -11},
        {"dialup connection index", 0xF000, 0, 0, -21},
        {"connections above 192", 0xA000, 0, 193, 41},
        {"negative connections", 0xA000, 0, 0xFFFFFFFF, 41},
        {"primary routes above 256", 0x11000, 0, 257, 42},
        {"negative secondary routes", 0x12000, 0, 0x80000000, 43},
        {"SMS texts not 32", 0x13000, 0, 31, 51},
        {"SMS numbers not 32", 0x14000, 0, 33, 61},
        {"SMS connections above 32", 0x15000, 0, 33, 71},
        {"negative SMS connections", 0x15000, 0, 0xFFFFFFFE, 71},
        {"dialup numbers not 32", 0x16000, 0, 0, 81},
        {"dialup connections above 128", 0x17000, 0, 129, 91},
        {"negative dialup connections", 0x17000, 0, 0xFFFFFFFF, 91},
    };
    for (const Case& k : cases) {
        auto r = recs;
        std::size_t at = Find(r, k.key);
        for (int i = 0; i < k.nth; ++i) at = Find(r, k.key, at + 1);
        if (std::string(k.what) == "wrong name key") r[at].key = k.value;
        else r[at].value = k.value;
        NodeConf c;
        const Report report = Load(Join(r), c);
        ASSERT_EQ(k.inner, report.code) << k.what; // the real code, for the command-line notice
        EXPECT_EQ("Error " + std::to_string(k.inner) + " whilst loading .MNC file.", MessageOf(report)) << k.what;
        EXPECT_LE(c.connectionCount, kMaxConnections);
        EXPECT_GE(c.connectionCount, 0);
    }

    // A text longer than its capacity.
    NodeConf longNumber = NewNodeConf();
    std::memset(longNumber.smsNumbers[0], '1', 32);
    auto r = Records(Save(longNumber));
    const std::size_t last = Find(r, 0xC009); // the terminating group after 32 characters
    r[last].value = 0x31000000;
    r.insert(r.begin() + std::ptrdiff_t(last) + 1, Rec{0xC00A, 0});
    NodeConf c;
    const Report tooLong = Load(Join(r), c);
    ASSERT_EQ(-9, tooLong.code);
    EXPECT_EQ("Error -9 whilst loading .MNC file.", tooLong.text);

    // A cut-off record inside the body. The first report keeps its own text:
    // nothing is shared between two loads.
    std::string cut = Save(one).substr(0, 19 * 10 + 7);
    const Report cutOff = Load(cut, c);
    ASSERT_EQ(-1, cutOff.code);
    EXPECT_EQ("Error -1 whilst loading .MNC file.", cutOff.text);
    EXPECT_EQ("Error -9 whilst loading .MNC file.", tooLong.text);
}

TEST(ConfigFileVersions, SectionsFollowTheFormatVersion)
{
    NodeConf full = FullRecord();
    const auto recs = Records(Save(full));
    const std::size_t sms = Find(recs, 0x13000), redial = Find(recs, 0x16000) - 2, dialup = redial + 2,
                      end = recs.size() - 1;
    // The file as an older version would have written it: record ranges [from, to) left out.
    auto without = [&](std::uint32_t version, std::initializer_list<std::pair<std::size_t, std::size_t>> cut,
                       bool dropFlags, bool dropPulse) {
        std::vector<Rec> r;
        for (std::size_t i = 0; i < recs.size(); ++i) {
            bool skip = (dropFlags && recs[i].key == 0xA) || (dropPulse && recs[i].key == 0xA006);
            for (auto [from, to] : cut) skip = skip || (i >= from && i < to);
            if (!skip) r.push_back(recs[i]);
        }
        r[2].value = version;
        return r;
    };
    NodeConf c;

    // Before dialup and redial: SMS present, the rest zero.
    ASSERT_EQ(0, Load(Join(without(1240, {{redial, end}}, true, false)), c).code);
    EXPECT_EQ(0u, c.networkFlags);
    EXPECT_EQ(kMaxSmsConnections, c.smsConnectionCount);
    EXPECT_STREQ(full.smsMessages[31], c.smsMessages[31]);
    EXPECT_EQ(0, c.dialupConnectionCount);
    EXPECT_EQ(0, c.redialAttempts);
    EXPECT_EQ(+full.connections[5].pulseScaling, +c.connections[5].pulseScaling);

    // Dialup present but no redial records yet.
    ASSERT_EQ(0, Load(Join(without(1241, {{redial, dialup}}, true, false)), c).code);
    EXPECT_EQ(kMaxDialupConnections, c.dialupConnectionCount);
    EXPECT_EQ(0, c.redialAttempts);

    // Before SMS and before pulse scaling.
    ASSERT_EQ(0, Load(Join(without(1026, {{sms, end}}, true, true)), c).code);
    EXPECT_EQ(0, c.smsConnectionCount);
    EXPECT_EQ(0, +c.connections[5].pulseScaling);
    EXPECT_EQ(+full.connections[5].changeThreshold, +c.connections[5].changeThreshold);

    // Network flags from 02030039 on.
    ASSERT_EQ(0, Load(Join(without(0x02030039, {}, false, false)), c).code);
    EXPECT_EQ(kFlagLeasedLine, c.networkFlags);
    EXPECT_TRUE(Load(Join(without(0x02030038, {}, false, false)), c).text)
        << "an older file has no flags record, so the one found is out of place";
    ASSERT_EQ(0, Load(Join(without(0x02030038, {}, true, false)), c).code);
    EXPECT_EQ(0u, c.networkFlags);
}

TEST(ConfigFileVersions, OldSignatureHasNoVersionRecord)
{
    NodeConf full = FullRecord();
    auto recs = Records(Save(full));
    std::vector<Rec> r;
    bool skipping = false;
    for (const Rec& rec : recs) {
        if (rec.key == 0x13000) skipping = true;
        if (rec.key == 0x7FFFFFFF) skipping = false;
        if (skipping || rec.key == 0x88888888 || rec.key == 0xA || rec.key == 0xA006) continue;
        r.push_back(rec);
    }
    r[0].value = kOldFileSignature;
    NodeConf c;
    ASSERT_EQ(0, Load(Join(r), c).code);
    EXPECT_STREQ("AB 12", c.networkName);
    EXPECT_EQ(64, c.radioChannel);
    EXPECT_EQ('R', c.highwayEncoding);
    EXPECT_EQ(kMaxConnections, c.connectionCount);
    EXPECT_EQ(+full.connections[191].changeThreshold, +c.connections[191].changeThreshold);
    EXPECT_EQ(0, +c.connections[191].pulseScaling);
    EXPECT_EQ(full.secondaryRoutes[255], c.secondaryRoutes[255]);
    EXPECT_EQ(0u, c.networkFlags);
    EXPECT_EQ(0, c.smsConnectionCount);
    EXPECT_EQ(0, c.dialupConnectionCount);
}

TEST(ConfigFileRead, EntriesAreRebuiltFromTheirEndpoints)
{
    NodeConf c = NewNodeConf();
    c.connectionCount = 2;
    MakeConnection(c.connections[0], 0, 'a', 1, 1, 0, 'A', 1, 1);
    c.connections[0].connSpare = 7;
    c.connections[0].changeThreshold = 55;
    c.connections[0].pulseScaling = 0x41;
    MakeConnection(c.connections[1], 0, 'a', 1, 2, 0, 'A', 1, 2);
    c.connections[1].changeThreshold = 10;
    auto r = Records(Save(c));
    const std::size_t first = Find(r, 0xA100);
    r[first + 2].value = 0x00530101; // destination kind 'S': the entry does not build
    r[first + 3].value = 0xFF;       // only EV and IV are taken from the flags
    const std::size_t second = Find(r, 0xA100, first + 1);
    r[second + 3].value = 0x7F;
    NodeConf back;
    ASSERT_EQ(0, Load(Join(r), back).code);
    // The failing entry: endpoints zero and no valid bit, the rest kept.
    Connection failed;
    std::memset(&failed, 0, sizeof failed);
    failed.connFlags = kConnOnChange | kConnOnInterval;
    failed.connSpare = 7;
    failed.changeThreshold = 55;
    failed.pulseScaling = 0x41;
    EXPECT_EQ(0, std::memcmp(&failed, &back.connections[0], sizeof failed));
    EXPECT_EQ(kConnValid | kConnOnChange | kConnOnInterval, +back.connections[1].connFlags);
    EXPECT_EQ(10u, +back.connections[1].changeThreshold);
}

namespace {
// A stream buffer that accepts only `room` bytes, like a full disk.
class FullDisk : public std::stringbuf {
public:
    explicit FullDisk(std::size_t room) : room_(room) {}
protected:
    std::streamsize xsputn(const char* s, std::streamsize n) override
    {
        if (written_ + std::size_t(n) > room_) return 0;
        written_ += std::size_t(n);
        return std::stringbuf::xsputn(s, n);
    }
private:
    std::size_t room_, written_ = 0;
};
} // namespace

TEST(ConfigFileWrite, AFailedWriteLeavesTheFileIncomplete)
{
    FullDisk disk(19 * 50);
    std::ostream out(&disk);
    EXPECT_EQ(-1, SaveToFile(FullRecord(), out));
    NodeConf c;
    EXPECT_EQ(-2153, Load(disk.str(), c).code);
}
