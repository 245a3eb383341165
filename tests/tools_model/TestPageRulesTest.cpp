#include "tools/model/TestPageRules.h"

#include <gtest/gtest.h>

#include "tools/model/RadioStatus.h"

namespace mnm::tools {
namespace {

struct Lamps {
    bool network, local, transmit, receive;
};

void ExpectLamps(const TestPageEnabling& e, Lamps l)
{
    EXPECT_EQ(e.networkLamp, l.network);
    EXPECT_EQ(e.localLamp, l.local);
    EXPECT_EQ(e.transmitLamp, l.transmit);
    EXPECT_EQ(e.receiveLamp, l.receive);
}

TEST(TestPageEnablingRules, NetworkModeOffersTheRemoteCarrierOnly)
{
    const TestPageEnabling e = TestPageRules(kModeNetwork, true);
    ExpectLamps(e, {true, false, false, false});
    EXPECT_TRUE(e.remoteGroup);
    EXPECT_FALSE(e.localGroup);
    EXPECT_TRUE(e.request);
    EXPECT_TRUE(e.modeButtons);
    // Any of the three edits empty holds the request back.
    EXPECT_FALSE(TestPageRules(kModeNetwork, false).request);
}

TEST(TestPageEnablingRules, LocalCarrierModesOfferTheLocalGroupAndLightTheirLamp)
{
    const TestPageEnabling receiving = TestPageRules(kModeCarrierReceive, true);
    ExpectLamps(receiving, {false, true, false, true});
    EXPECT_TRUE(receiving.localGroup);
    EXPECT_FALSE(receiving.remoteGroup);
    EXPECT_FALSE(receiving.request);
    EXPECT_TRUE(receiving.modeButtons);

    const TestPageEnabling transmitting = TestPageRules(kModeCarrierTransmit, true);
    ExpectLamps(transmitting, {false, true, true, false});
    EXPECT_TRUE(transmitting.localGroup);
    EXPECT_FALSE(transmitting.remoteGroup);
    EXPECT_FALSE(transmitting.request);
    EXPECT_TRUE(transmitting.modeButtons);
}

TEST(TestPageEnablingRules, UnknownModesDisableEverything)
{
    for (int mode : {kModeUnknown, 1, 0x80, 0x83, 0xFF}) {
        SCOPED_TRACE(mode);
        const TestPageEnabling e = TestPageRules(mode, true);
        ExpectLamps(e, {false, false, false, false});
        EXPECT_FALSE(e.remoteGroup);
        EXPECT_FALSE(e.localGroup);
        EXPECT_FALSE(e.request);
        EXPECT_FALSE(e.modeButtons);
    }
}

TEST(ChannelFollowing, EditFollowsTheNodeInNetworkModeUntilTheOperatorTypes)
{
    ChannelFollow follow;
    EXPECT_EQ(follow.NodeReported(5, kModeNetwork), "5");
    EXPECT_EQ(follow.Count(), 1); // our own write counted as a change
    EXPECT_EQ(follow.NodeReported(5, kModeNetwork), std::nullopt); // unchanged channel
    EXPECT_EQ(follow.NodeReported(7, kModeNetwork), "7");
    EXPECT_EQ(follow.Count(), 1);

    follow.Edited();
    EXPECT_EQ(follow.Count(), 0);
    EXPECT_EQ(follow.NodeReported(9, kModeNetwork), std::nullopt);
    follow.Edited();
    EXPECT_EQ(follow.Count(), 0);
}

TEST(ChannelFollowing, OtherModesNeitherFollowNorRememberTheChannel)
{
    ChannelFollow follow;
    EXPECT_EQ(follow.NodeReported(5, kModeCarrierReceive), std::nullopt);
    EXPECT_EQ(follow.NodeReported(5, kModeUnknown), std::nullopt);
    EXPECT_EQ(follow.Count(), ChannelFollow::kFollowing);
    // Back in the network the channel is news, though seen in local mode.
    EXPECT_EQ(follow.NodeReported(5, kModeNetwork), "5");
}

TEST(ChannelFollowing, TypingBeforeTheNodeReportedLeavesOneFollow)
{
    ChannelFollow follow;
    follow.Edited();
    EXPECT_EQ(follow.NodeReported(3, kModeNetwork), "3");
    follow.Edited();
    EXPECT_EQ(follow.NodeReported(4, kModeNetwork), std::nullopt);
}

TEST(FirmwareVersionText, DropsTheLastGroupAndJoinsTheSecondPart)
{
    EXPECT_EQ(FirmwareText("2.03.0041/B", false), "2.03 / B");
    EXPECT_EQ(FirmwareText("2.03.0041", false), "2.03");
    EXPECT_EQ(FirmwareText("2.03.0041/", false), "2.03");
    EXPECT_EQ(FirmwareText("  2.03.0041 /  B  ", false), "2.03 / B");
    // Only the first "/" splits; the second part keeps its dots.
    EXPECT_EQ(FirmwareText("2.03.0041/B.1/x", false), "2.03 / B.1/x");
}

TEST(FirmwareVersionText, EdgeCasesOfTheDot)
{
    EXPECT_EQ(FirmwareText("[UNKNOWN]", false), "[UNKNOWN]");
    EXPECT_EQ(FirmwareText(".5", false), ".5"); // a leading dot is not cut
    EXPECT_EQ(FirmwareText("7.", false), "7");
    EXPECT_EQ(FirmwareText("/B", false), " / B");
    EXPECT_EQ(FirmwareText("", false), "");
    // Only trailing spaces go: a trailing tab stays.
    EXPECT_EQ(FirmwareText("\t2.1\t", false), "2");
    EXPECT_EQ(FirmwareText("B/2.1\t", false), "B / 2.1\t");
}

TEST(FirmwareVersionText, TrinomialShowsAsReceivedWithinTheLimit)
{
    EXPECT_EQ(FirmwareText("2.03.0041/B", true), "2.03.0041/B");
    const std::string longer(kFirmwareTextLimit + 20, '9');
    EXPECT_EQ(FirmwareText(longer, true).size(), kFirmwareTextLimit);
    // Past the limit a "/" is never seen.
    EXPECT_EQ(FirmwareText(std::string(kFirmwareTextLimit, '1') + "/B", false), std::string(kFirmwareTextLimit, '1'));
}

TEST(CarrierRequests, LocalAndNetworkAddressThisNode)
{
    const EndpointRequest local = LocalCarrierRequest();
    EXPECT_EQ(local.node, 0);
    EXPECT_EQ(local.values, (EndpointControlValues{14, 60, 65535, 65535, 65535, 65535}));
    const EndpointRequest network = NetworkModeRequest();
    EXPECT_EQ(network.node, 0);
    EXPECT_EQ(network.values, (EndpointControlValues{18, 65535, 65535, 65535, 65535, 65535}));
}

TEST(CarrierRequests, RemoteCarrierCarriesNodeChannelAndPower)
{
    const auto r = RemoteCarrierRequest("12", "7", "500");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->node, 12);
    EXPECT_EQ(r->values, (EndpointControlValues{10, 40, 7, 500, 65535, 65535}));
    // Read as "%d" reads: white space before, anything after the digits ignored.
    const auto loose = RemoteCarrierRequest(" 254x", "+3 ", "0");
    ASSERT_TRUE(loose);
    EXPECT_EQ(loose->node, 254);
    EXPECT_EQ(loose->values[2], 3);
    EXPECT_EQ(loose->values[3], 0);
}

TEST(CarrierRequests, RemoteCarrierRefusesNodesAndValuesOutOfRange)
{
    for (const char* node : {"0", "255", "-1", "", "x", "99999999999999999999"})
        EXPECT_FALSE(RemoteCarrierRequest(node, "7", "500")) << node;
    // 16 bits would turn 65536 into 0 and 65535 means "no value".
    for (const char* value : {"65535", "65536", "131079", "-1", "abc", "99999999999999999999"}) {
        EXPECT_FALSE(RemoteCarrierRequest("12", value, "500")) << value;
        EXPECT_FALSE(RemoteCarrierRequest("12", "7", value)) << value;
    }
    EXPECT_TRUE(RemoteCarrierRequest("12", "65534", "65534"));
    EXPECT_FALSE(RemoteCarrierRequest("-", "7", "500"));
}

} // namespace
} // namespace mnm::tools
