#include "nodeconf/ConfigFile.h"
#include "tests/cli/RunTool.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstring>
#include <fstream>

using namespace mnm;
using nlohmann::ordered_json;

namespace {

NodeConf Crafted()
{
    NodeConf c = NewNodeConf();
    c.highwayEncoding = 'A';
    c.highwayCharSize = 8;
    c.highwayParity = 0;
    c.highwayCheckParity = 1;
    std::strcpy(c.networkName, "NET 1");
    c.networkFlags = kFlagNoModem;
    c.nodeNumber = 12;
    c.radioChannel = 5;
    c.transmitPower = 500;
    c.maxRetries = 3;
    c.transmitInterval = 600;
    c.alarmDelay = -1;
    c.preTransmitOnTime = -1;
    c.lowPowerReceiver = 0;
    c.connectionCount = 2;
    MakeConnection(c.connections[0], 0, 'd', 1, 1, 0, 'D', 2, 1);
    c.connections[0].connFlags |= kConnOnInterval;
    c.connections[0].changeThreshold = 255;
    MakeConnection(c.connections[1], 0, 'p', 1, 3, 7, 'A', 4, 2);
    c.connections[1].changeThreshold = 6000;
    c.connections[1].pulseScaling = 0x41;
    c.connections[1].connSpare = 0xFFFFFFFF;
    c.primaryRouteCount = 1;
    c.primaryRoutes[0] = 0x80030302;
    c.smsConnectionCount = 1;
    SmsConnection& s = c.smsConnections[0];
    s.kind = 'A';
    s.card = 2;
    s.channel = 1;
    s.condition = 'Q';
    s.limit = 1550;
    s.hysteresis = 1200;
    s.unit = 1;
    s.message = 1;
    s.telephone = 2;
    s.reserved[8] = 9;
    std::strcpy(c.smsMessages[0], "Level above 15.5 milliamp\xE8res");
    std::strcpy(c.smsNumbers[1], "+44 1234 567890");
    std::strcpy(c.dialupNumbers[31], "0800-123");
    c.dialupConnectionCount = 1;
    DialupConnection& d = c.dialupConnections[0];
    d.flags = kDialValid | kDialOnChange | kDialPercent;
    d.changeThreshold = 10;
    d.interval = 90;
    d.localKind = 'a';
    d.localCard = 1;
    d.localChannel = 2;
    d.remoteKind = 'A';
    d.remoteCard = 3;
    d.remoteChannel = 4;
    d.telephone = 32;
    d.remoteNode = 20;
    c.redialAttempts = 4;
    c.redialInterval = -1;
    return c;
}

// Each key of `expected` holds that value in `j`.
void ExpectFields(const ordered_json& j, const ordered_json& expected)
{
    for (const auto& [key, value] : expected.items()) EXPECT_EQ(value, j.at(key)) << key;
}

std::string Write(const NodeConf& c)
{
    const std::string path = TempDir() + "/crafted.mnc";
    EXPECT_EQ(0, SaveToPath(c, path));
    return path;
}

} // namespace

TEST(DumpCommand, JsonCarriesEveryFieldInRecordOrder)
{
    const ToolResult r = RunTool({"dump", "--json", Write(Crafted())});
    ASSERT_EQ(0, r.status) << r.err;
    const ordered_json j = ordered_json::parse(r.out);

    std::vector<std::string> keys;
    for (const auto& [k, v] : j.items()) keys.push_back(k);
    const std::vector<std::string> expected = {
        "highwayEncoding", "highwayCharSize", "highwayParity", "highwayCheckParity", "networkName",
        "networkFlags", "nodeNumber", "radioChannel", "transmitPower", "maxRetries", "transmitInterval",
        "alarmDelay", "preTransmitOnTime", "lowPowerReceiver", "connectionCount", "primaryRouteCount",
        "secondaryRouteCount", "smsConnectionCount", "smsNumberCount", "smsMessageCount", "smsMessageBytes",
        "connections", "primaryRoutes", "secondaryRoutes", "smsConnections", "smsNumbers", "smsMessages",
        "dialupNumberCount", "dialupNumbers", "dialupConnectionCount", "dialupConnections", "redialAttempts",
        "redialInterval"};
    EXPECT_EQ(expected, keys);

    // Absent values are null, characters are texts, derived fields are not kept in files.
    ExpectFields(j, {{"highwayEncoding", "A"}, {"highwayParity", ""}, {"highwayCharSize", 8}, {"networkName", "NET 1"},
                     {"networkFlags", 4u}, {"nodeNumber", 12}, {"transmitInterval", 600}, {"alarmDelay", nullptr},
                     {"preTransmitOnTime", nullptr}, {"lowPowerReceiver", 0}, {"redialAttempts", 4},
                     {"redialInterval", nullptr}, {"smsMessageBytes", 0},
                     {"primaryRoutes", ordered_json::array({0x80030302u})}, {"secondaryRoutes", ordered_json::array()}});

    ASSERT_EQ(2u, j["connections"].size());
    EXPECT_EQ(kConnValid | kConnOnInterval, j["connections"][0]["connFlags"]);
    ExpectFields(j["connections"][1], {{"connFlags", kConnValid}, {"originKind", "p"}, {"originChannel", 3},
                                       {"destNode", 7}, {"destKind", "A"}, {"connSpare", 4294967295u},
                                       {"changeThreshold", 6000u}, {"pulseScaling", 0x41}});

    ASSERT_EQ(1u, j["smsConnections"].size());
    ExpectFields(j["smsConnections"][0], {{"kind", "A"}, {"condition", int('Q')}, {"limit", 1550}, {"hysteresis", 1200},
                                          {"telephone", 2}, {"reserved", {0, 0, 0, 0, 0, 0, 0, 0, 9}}});

    for (const char* table : {"smsMessages", "smsNumbers", "dialupNumbers"}) ASSERT_EQ(32u, j[table].size()) << table;
    EXPECT_EQ("Level above 15.5 milliamp\xC3\xA8res", j["smsMessages"][0]);
    EXPECT_EQ("", j["smsMessages"][31]);
    EXPECT_EQ("+44 1234 567890", j["smsNumbers"][1]);
    EXPECT_EQ("0800-123", j["dialupNumbers"][31]);

    ASSERT_EQ(1u, j["dialupConnections"].size());
    ExpectFields(j["dialupConnections"][0], {{"flags", kDialValid | kDialOnChange | kDialPercent}, {"interval", 90},
                                             {"localKind", "a"}, {"remoteKind", "A"}, {"telephone", 32},
                                             {"remoteNode", 20}});
}

TEST(DumpCommand, ReadableLayoutNamesEveryField)
{
    const ToolResult r = RunTool({"dump", Write(Crafted())});
    ASSERT_EQ(0, r.status) << r.err;
    EXPECT_NE(std::string::npos, r.out.find("networkName: \"NET 1\"\n"));
    EXPECT_NE(std::string::npos, r.out.find("alarmDelay: (absent)\n"));
    EXPECT_NE(std::string::npos, r.out.find("connections: 2 entries\n"));
    EXPECT_NE(std::string::npos, r.out.find("primaryRoutes: 1 entry\n  1: 0x80030302\n"));
    EXPECT_NE(std::string::npos, r.out.find("destKind=\"A\""));
    EXPECT_NE(std::string::npos, r.out.find("milliamp\xC3\xA8res"));
}

TEST(DumpCommand, LoadFailuresPrintTheCatalogueText)
{
    const std::string dir = TempDir();
    auto write = [&](const std::string& name, const std::string& bytes) {
        std::ofstream(dir + "/" + name, std::ios::binary) << bytes;
        return dir + "/" + name;
    };
    struct Case { std::string file; std::string message; };
    std::string tooMany;
    {
        std::ifstream in(Write(NewNodeConf()), std::ios::binary);
        tooMany.assign(std::istreambuf_iterator<char>(in), {});
        const std::size_t at = tooMany.find("0000A00000000000");
        tooMany.replace(at, 16, "0000A000000000C1");
    }
    const Case cases[] = {
        {write("empty.mnc", ""), "mnm: Missing Signature: Not a valid Configuration File\n"},
        {write("sig.mnc", "0000000012345678\r\n"), "mnm: Incorrect Signature: Not a valid Configuration File\n"},
        {write("inc.mnc", "000000001F9E23C7\r\n80000000FFFFFFFF\r\n"),
         "mnm: Header indicates Configuration File is incomplete\n"},
        {write("many.mnc", tooMany), "mnm: Error 41 whilst loading .MNC file.\n"},
        {dir + "/missing.mnc", "mnm: " + dir + "/missing.mnc: No such file or directory\n"},
    };
    for (const Case& k : cases) {
        for (bool json : {false, true}) {
            const ToolResult r = json ? RunTool({"dump", "--json", k.file}) : RunTool({"dump", k.file});
            EXPECT_EQ(1, r.status) << k.file;
            EXPECT_EQ(k.message, r.err);
            EXPECT_EQ("", r.out);
        }
    }
}

