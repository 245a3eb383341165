#include "records/RecordJson.h"
#include "editor/model/Transfer.h"
#include "nodeconf/ConfigFile.h"
#include "tests/cli/RunTool.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace mnm;
using nlohmann::ordered_json;

namespace {

// A record that passes the check, made the way the editor makes one.
NodeConf Passing()
{
    editor::EditorContents e;
    e.uhfRadio = true;
    e.dialupModem = true;
    e.networkName = "NET 1";
    e.nodeNumber = "12";
    e.channel = "5";
    e.transmitPower = "500";
    e.transmitInterval = "10";
    e.maxRetries = "3";
    e.alarmDelay = "20";
    e.redialAttempts = "2";
    e.redialInterval = "30";
    e.smsMessages.PutPage(1, "Level above 15.5 milliamp\xE8res");
    e.dialupNumbers.PutPage(2, "+44 1234 567890");
    Connection c;
    MakeConnection(c, 0, 'd', 1, 1, 0, 'D', 2, 1);
    c.connFlags |= kConnOnInterval;
    c.changeThreshold = 255;
    editor::AddConnection(e.connections, c);
    DialupConnection d{};
    d.flags = kDialValid | kDialOnChange;
    d.localKind = 'd';
    d.remoteKind = 'D';
    d.telephone = 2;
    d.remoteNode = 7;
    editor::AddDialup(e.dialups, d);
    NodeConf conf;
    EXPECT_EQ(0, editor::StoreFromEditor(e, conf).code);
    return conf;
}

std::string Write(const NodeConf& c, const std::string& dir, const std::string& name)
{
    const std::string path = dir + "/" + name;
    EXPECT_EQ(0, SaveToPath(c, path));
    return path;
}

std::string WriteText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

} // namespace

TEST(VerifyCommand, PrintsOneLinePerFileAndFailsWhenAnyFails)
{
    const std::string dir = TempDir();
    const std::string good = Write(Passing(), dir, "good.mnc");
    NodeConf lowPower = Passing();
    lowPower.lowPowerReceiver = 0;
    lowPower.alarmDelay = -1;
    lowPower.connections[0].connFlags |= kConnOnChange; // card 1: the change goes undetected
    const std::string bad = Write(lowPower, dir, "low power.mnc");
    const std::string broken = WriteText(dir + "/broken.mnc", "not a configuration");

    ToolResult r = RunTool({"verify", good});
    EXPECT_EQ(0, r.status);
    EXPECT_EQ(good + ": No Errors Found\n", r.out);

    r = RunTool({"verify", good, bad, broken});
    EXPECT_EQ(1, r.status);
    EXPECT_EQ(good + ": No Errors Found\n" + bad +
                  ": There is a Connection set to Transmit-On-State-Change,\nbut the state change will not be "
                  "detected, as Low Power\noperation has been selected.\n\nThe Connection in question is marked "
                  "with an Icon\nas below.\n\n" + broken + ": Missing Signature: Not a valid Configuration File\n",
              r.out);

    EXPECT_EQ(2, RunTool({"verify"}).status);
}

TEST(VerifyCommand, ReportTextsAreShownWhole)
{
    const std::string dir = TempDir();
    NodeConf c = Passing();
    c.redialAttempts = -1;
    const ToolResult r = RunTool({"verify", Write(c, dir, "redial.mnc")});
    EXPECT_EQ(1, r.status);
    EXPECT_EQ(dir + "/redial.mnc: There is 1 Dialup Connection, but the number of Redial Attempts is empty\n", r.out);
}

TEST(BuildCommand, WritesTheSameBytesAsTheFileWriter)
{
    const std::string dir = TempDir();
    const std::string original = Write(Passing(), dir, "original.mnc");
    const ToolResult dumped = RunTool({"dump", "--json", original});
    ASSERT_EQ(0, dumped.status);
    const std::string json = WriteText(dir + "/record.json", dumped.out);

    const ToolResult built = RunTool({"build", json, "-o", dir + "/built.mnc"});
    ASSERT_EQ(0, built.status) << built.err;
    EXPECT_EQ(ReadWholeFile(original), ReadWholeFile(dir + "/built.mnc"));
}

TEST(BuildCommand, RefusesBadInputAndWritesNothing)
{
    const std::string dir = TempDir();
    const ordered_json good = RecordToJson(Passing());
    const std::string out = dir + "/out.mnc";
    const std::string in = dir + "/in.json";
    struct Case {
        const char* what;
        ordered_json json;
        std::string message;
    };
    auto with = [&](auto change) {
        ordered_json j = good;
        change(j);
        return j;
    };
    const Case cases[] = {
        {"range", with([](ordered_json& j) { j["connections"][0]["destCard"] = 256; }),
         "mnm: connections[0].destCard: out of range 0..255\n"},
        {"type", with([](ordered_json& j) { j["radioChannel"] = "5"; }), "mnm: radioChannel: not an integer\n"},
        {"capacity", with([](ordered_json& j) { j["smsConnections"] = ordered_json::array(); for (int i = 0; i < 33; ++i) j["smsConnections"].push_back(ordered_json::object()); }),
         "mnm: smsConnections: more than 32 entries\n"},
        {"text", with([](ordered_json& j) { j["networkName"] = "ABCDEFGHIJ"; }),
         "mnm: networkName: longer than 8 characters\n"},
        {"unknown", with([](ordered_json& j) { j["nodeNumbr"] = 1; }), "mnm: nodeNumbr: unknown key\n"},
        {"check", with([](ordered_json& j) { j["nodeNumber"] = 0; }), "mnm: Node Number outside the range 1..254\n"},
        {"check", with([](ordered_json& j) { j.erase("networkName"); }), "mnm: Network Name field is empty\n"},
    };
    for (const Case& c : cases) {
        const ToolResult r = RunTool({"build", WriteText(in, c.json.dump()), "-o", out});
        EXPECT_EQ(1, r.status) << c.what;
        EXPECT_EQ(c.message, r.err) << c.what;
        EXPECT_FALSE(std::filesystem::exists(out)) << c.what;
    }
    EXPECT_EQ(1, RunTool({"build", WriteText(dir + "/in.json", "{"), "-o", out}).status);
    EXPECT_FALSE(std::filesystem::exists(out));

    // A value the store changes is written as stored, and said.
    const ordered_json cut = with([](ordered_json& j) { j["networkName"] = "NORTHERN"; j["highwayEncoding"] = "Q"; });
    const ToolResult noted = RunTool({"build", WriteText(in, cut.dump()), "-o", out});
    EXPECT_EQ(0, noted.status);
    EXPECT_EQ("mnm: " + in + ": note: highwayEncoding: \"Q\" would be stored as \"A\"\n"
              "mnm: " + in + ": note: networkName: \"NORTHERN\" would be stored as \"NORTH\"\n",
              noted.err);
    EXPECT_NE(RunTool({"dump", out}).out.find("NORTH"), std::string::npos);
}

TEST(RecordJson, ReadsBackWhatItWrites)
{
    const NodeConf conf = Passing();
    NodeConf back;
    std::string error;
    ASSERT_TRUE(JsonToRecord(RecordToJson(conf), back, error)) << error;
    NodeConf expected = conf; // derived fields are left for the store to compute
    expected.smsNumberCount = expected.smsMessageCount = expected.smsMessageBytes = expected.dialupNumberCount = 0;
    EXPECT_EQ(0, std::memcmp(&expected, &back, sizeof back));
    EXPECT_EQ(1, +back.connectionCount);

    ASSERT_TRUE(JsonToRecord(ordered_json::parse(R"({"transmitPower": null, "highwayParity": ""})"), back, error));
    EXPECT_EQ(-1, +back.transmitPower);
    EXPECT_EQ(0, back.highwayParity);
    EXPECT_FALSE(JsonToRecord(ordered_json::parse("[1]"), back, error));
    EXPECT_EQ("record: not an object", error);
}
