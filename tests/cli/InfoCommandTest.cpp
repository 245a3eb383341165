// mnm info against a virtual node of this test program, whose hardware the
// test chooses, and its output on its own.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/NodeInfo.h"
#include "settings/Settings.h"
#include "sim/VirtualNode.h"
#include "tests/cli/RunTool.h"

namespace mnm {
namespace {

// Two cards, one with an accented name, a group shown under no card, a
// group without channels, and a named channel.
NodeStaticData Hardware()
{
    NodeStaticData h;
    ClearNodeStaticData(h);
    AddCardName(h, "DIO-8");
    AddCardName(h, "Entr\xE9" "es");
    AddChannelGroup(h, 0, 'd', 1, 8);
    AddChannelGroup(h, 1, 'a', 2, 4);
    AddChannelGroup(h, 1, 'P', 2, 0);
    AddChannelGroup(h, 2, 's', 9, 16);
    AddChannelName(h, 'a', 2, 1, "Niveau cuve");
    std::snprintf(h.serialNumber, sizeof h.serialNumber, "SN-42");
    std::snprintf(h.highestChannel, sizeof h.highestChannel, "16");
    std::snprintf(h.channelLayout, sizeof h.channelLayout, "Channels 1-16");
    return h;
}

TEST(InfoCommand, TextAndJsonNameTheNodeAndItsHardware)
{
    UsePrivateSettings(TempDir());
    VirtualNode node;
    ASSERT_TRUE(node.Start());
    node.WithState([](NodeModel& m) {
        m.SetHardware(Hardware());
        m.SetVersion("2.08.0051");
    });

    const ToolResult text = RunTool({"info", "--port", node.DevicePath()});
    ASSERT_EQ(text.status, 0) << text.err;
    for (const char* line : {"node number     1\n", "network name    DEMO\n", "software        2.08.0051\n",
                             "serial number   SN-42\n", "card 2          Entr\xC3\xA9" "es\n",
                             "  a2.1-4        Analog Inputs, 4 channels\n", "  P2.[none]     Pulse Outputs, 0 channels\n",
                             "  a2.1          Niveau cuve\n"})
        EXPECT_NE(text.out.find(line), std::string::npos) << line << "\nin\n" << text.out;
    // Cards in order, each group under its own card, the loose one last.
    EXPECT_LT(text.out.find("d1.1-8"), text.out.find("card 2"));
    EXPECT_GT(text.out.find("s9.1-16"), text.out.find("P2.[none]"));

    const ToolResult json = RunTool({"info", "--port", node.DevicePath(), "--json"});
    ASSERT_EQ(json.status, 0) << json.err;
    const nlohmann::json j = nlohmann::json::parse(json.out);
    EXPECT_EQ(j["nodeNumber"], 1);
    EXPECT_EQ(j["networkName"], "DEMO");
    ASSERT_EQ(j["cards"].size(), 2u);
    EXPECT_EQ(j["cards"][1]["name"], "Entr\xC3\xA9" "es");
    EXPECT_EQ(j["cards"][1]["groups"][0]["endpoints"], "a2.1-4");
    EXPECT_EQ(j["cards"][1]["groups"][1]["channelCount"], 0);
    EXPECT_EQ(j["groupsUnderNoCard"][0]["endpoints"], "s9.1-16");
    EXPECT_EQ(j["channelNames"][0]["endpoint"], "a2.1");
    EXPECT_EQ(j["channelNames"][0]["name"], "Niveau cuve");
}

TEST(InfoCommand, WithoutANodeOrWithBadArgumentsItSaysWhy)
{
    UsePrivateSettings(TempDir());
    EXPECT_EQ(RunTool({"info"}).status, 2);
    EXPECT_EQ(RunTool({"info", "--port"}).status, 2);
    EXPECT_EQ(RunTool({"info", "--port", "/dev/null", "--xml"}).status, 2);
    const ToolResult noTerminal = RunTool({"info", "--port", "/dev/null"});
    EXPECT_EQ(noTerminal.status, 1);
    EXPECT_EQ(noTerminal.err, "mnm: cannot open /dev/null: not a terminal\n");

    VirtualNode node;
    ASSERT_TRUE(node.Start());
    node.SetSilent(true);
    const ToolResult silent = RunTool({"info", "--port", node.DevicePath()});
    EXPECT_EQ(silent.status, 1);
    EXPECT_EQ(silent.err, "mnm: no node answers on " + node.DevicePath() + "\n");
    EXPECT_EQ(silent.out, "");
}

TEST(InfoText, AnUnknownIdentityIsSaidSo)
{
    cli::NodeInfo info;
    ClearNodeStaticData(info.hardware);
    const std::string text = cli::NodeInfoText(info);
    EXPECT_NE(text.find("node number     unknown\n"), std::string::npos) << text;
    EXPECT_NE(text.find("network name    unknown\n"), std::string::npos) << text;
    EXPECT_TRUE(cli::NodeInfoJson(info)["nodeNumber"].is_null());
}

} // namespace
} // namespace mnm
