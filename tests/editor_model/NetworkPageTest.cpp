#include "editor/model/NetworkExplain.h"
#include "editor/model/PageRules.h"

#include <gtest/gtest.h>

using namespace mnm::editor;

namespace {

std::vector<std::string> Texts(const std::vector<Tab>& tabs)
{
    std::vector<std::string> texts;
    for (const Tab& t : tabs) texts.push_back(t.text);
    return texts;
}

using Texts_ = std::vector<std::string>;

} // namespace

TEST(TabSet, FollowsTheHardwareBoxes)
{
    EditorContents e;
    EXPECT_EQ(Texts_{"Network"}, Texts(TabSet(e)));
    e.uhfRadio = true;
    EXPECT_EQ((Texts_{"Network", "Connections", "Routing", "Modbus"}), Texts(TabSet(e)));
    e.dialupModem = true;
    EXPECT_EQ((Texts_{"Network", "Connections", "Routing", "SMS", "Dialup"}), Texts(TabSet(e)));
    const auto before = TabSet(e);
    ClickModemBox(e, true); // no entries to lose: switches at once
    EXPECT_TRUE(e.leasedLineModem);
    EXPECT_FALSE(e.dialupModem);
    const auto after = TabSet(e);
    EXPECT_EQ((Texts_{"Network", "Connections", "Routing", "Leased Line"}), Texts(after));
    EXPECT_EQ(3, ReselectedTab(after, before[4].text)) << "Dialup is reselected as Leased Line";
    EXPECT_EQ(std::nullopt, ReselectedTab(after, "SMS"));
    e.uhfRadio = false;
    e.leasedLineModem = false;
    e.dialupModem = true;
    EXPECT_EQ((Texts_{"Network", "SMS", "Dialup"}), Texts(TabSet(e)));
}

TEST(NetworkRules, EnablingFollowsRadioAndLowPower)
{
    EditorContents e;
    NetworkEnabling n = NetworkRules(e, true);
    EXPECT_FALSE(n.radioFields || n.alarmDelay || n.helpText || n.preTransmit);
    e.uhfRadio = true;
    e.transmitInterval = "5m";
    e.alarmDelay = "5";
    n = NetworkRules(e, true);
    EXPECT_TRUE(n.radioFields && n.alarmDelay && n.helpText && n.stateChangesDetectable);
    EXPECT_FALSE(n.intervalMinutesLabel);
    EXPECT_TRUE(n.alarmMinutesLabel);
    EXPECT_FALSE(NetworkRules(e, false).alarmMinutesLabel);
    e.lowPowerReceiver = true;
    n = NetworkRules(e, true);
    EXPECT_FALSE(n.alarmDelay || n.stateChangesDetectable || n.preTransmit);
    e.lowPowerTransmitter = true;
    EXPECT_TRUE(NetworkRules(e, true).preTransmit);
}

TEST(ModemChange, AsksBeforeDeletingEntriesThatBecomeInvalid)
{
    EditorContents e;
    e.dialupModem = true;
    AddRoute(e.primaryRoutes, 0x80030303u); // to telephone number 3
    AddRoute(e.primaryRoutes, 0x00030300u); // by radio
    const ModemChange asked = ClickModemBox(e, true);
    ASSERT_TRUE(asked.ask);
    EXPECT_EQ("Selecting Leased Line", asked.caption);
    EXPECT_TRUE(asked.question.starts_with("There are entries in the Routing Tables\nand/or the Dialup Connection"));
    AnswerModemChange(e, true, false);
    EXPECT_TRUE(e.dialupModem);
    EXPECT_EQ(2u, e.primaryRoutes.words.size());
    AnswerModemChange(e, true, true);
    EXPECT_TRUE(e.leasedLineModem && !e.dialupModem);
    EXPECT_EQ(std::vector<mnm::RouteEntry>{0x00030300u}, e.primaryRoutes.words);
    ClickModemBox(e, true);
    EXPECT_FALSE(e.leasedLineModem || e.dialupModem) << "a checked box unchecks";
}

TEST(Explain, IntervalFillsRetriesAndAlarmDelayUntilTheUserEditsThem)
{
    EditorContents e;
    Explanation x;
    ChangeNetworkField(e, x, kTransmitIntervalField, "10");
    EXPECT_EQ("9", e.maxRetries);
    EXPECT_EQ("20", e.alarmDelay);
    EXPECT_EQ("", x.text);

    ChangeNetworkField(e, x, kTransmitIntervalField, "10s");
    EXPECT_TRUE(x.text.starts_with("The Transmit Interval must be at least 20s."));
    EXPECT_EQ(std::vector<int>{kSetMinInterval}, x.links);
    EXPECT_EQ("9", e.maxRetries);
    EXPECT_EQ("20", e.alarmDelay);

    RunCorrection(e, x, x.links[0]);
    EXPECT_EQ("20s", e.transmitInterval);
    EXPECT_EQ("1", e.maxRetries);
    EXPECT_EQ("1", e.alarmDelay);

    ChangeNetworkField(e, x, kAlarmDelayField, "90"); // the user's own edit
    ChangeNetworkField(e, x, kTransmitIntervalField, "5");
    EXPECT_EQ("90", e.alarmDelay);
    EXPECT_EQ("6", e.maxRetries);
}

TEST(Explain, AlarmDelayAndRetriesMessages)
{
    EditorContents e;
    e.intervalCounter = e.alarmCounter = 0;
    e.transmitInterval = "20s";
    Explanation x;
    ChangeNetworkField(e, x, kAlarmDelayField, "90s");
    ASSERT_EQ((std::vector<int>{kRoundUpAlarmDelay, kRoundDownAlarmDelay}), x.links);
    EditorContents up = e;
    RunCorrection(up, x, kRoundUpAlarmDelay);
    EXPECT_EQ("2", up.alarmDelay);
    RunCorrection(e, x, kRoundDownAlarmDelay);
    EXPECT_EQ("1", e.alarmDelay);

    ChangeNetworkField(e, x, kAlarmDelayField, "0");
    EXPECT_TRUE(x.text.starts_with("Zero Alarm Delay is not recommended."));
    ChangeNetworkField(e, x, kMaxRetriesField, "15");
    EXPECT_TRUE(x.text.starts_with("The Maximum Retries must not be greater than 9."));
    RunCorrection(e, x, x.links.at(0));
    EXPECT_EQ("9", e.maxRetries);
    EXPECT_TRUE(x.text.starts_with("For the given Transmit Interval, the Maximum Retries must be no greater than 1."));
    ChangeNetworkField(e, x, kMaxRetriesField, "1");
    ChangeNetworkField(e, x, kTransmitIntervalField, "50s");
    ChangeNetworkField(e, x, kAlarmDelayField, "1");
    EXPECT_NE(std::string::npos, x.text.find("to at least twice the Transmit Interval"));
    RunCorrection(e, x, kAlarmDelayFromInterval);
    EXPECT_EQ("2", e.alarmDelay);
    ChangeNetworkField(e, x, kAlarmDelayField, "x");
    EXPECT_TRUE(x.text.starts_with("The Alarm Delay must be digits representing minutes."));
}

TEST(RoutingAndTelephoneBlock, FollowTheModemAndTheChoices)
{
    EditorContents e;
    e.dialupModem = true;
    RoutingPageRules r = RoutingRulesFor(e, true, true, true);
    EXPECT_TRUE(r.showSecondary && !r.showPrimary && !r.nodeEditEnabled);
    EXPECT_EQ("Tele&phone", r.telephoneChoiceText);
    EXPECT_FALSE(RoutingRulesFor(e, false, true, false).showSecondary);

    TelephoneBlockRules t = TelephoneBlockRulesFor(e, kRoutingPage, false, false);
    EXPECT_TRUE(t.showTelephoneControls);
    EXPECT_FALSE(t.telephoneControlsEnabled) << "greyed while Repeater Node is chosen";
    EXPECT_TRUE(TelephoneBlockRulesFor(e, kDialupPage, true, false).telephoneControlsEnabled);
    EXPECT_FALSE(TelephoneBlockRulesFor(e, kDialupPage, false, false).showTelephoneControls);
    e.dialupModem = false;
    e.leasedLineModem = true;
    EXPECT_EQ("&Leased Line", RoutingRulesFor(e, true, false, true).telephoneChoiceText);
    EXPECT_TRUE(RoutingRulesFor(e, true, false, false).telephoneChoiceEnabled);
    e.leasedLineModem = e.dialupModem = false;
    EXPECT_FALSE(RoutingRulesFor(e, true, false, false).telephoneChoiceEnabled) << "no modem, no modem route";
    e.leasedLineModem = true;
    t = TelephoneBlockRulesFor(e, kRoutingPage, false, true);
    EXPECT_TRUE(t.showLeasedLinePicture && t.leasedLinePictureEnabled && !t.showTelephoneControls);
}

TEST(AlertAdd, TakesThePagesShownAndReportsTheRulesMessage)
{
    EditorContents e;
    mnm::AlertInput in;
    in.endpoint = "3a1.1";
    in.direction = 0;
    in.analogCondition = 0;
    in.unit = 0;
    in.limit = "1";
    EXPECT_EQ("The Endpoint has a Node Number.\nThis is invalid for an SMS Connection", AddAlertFromControls(e, in));
    EXPECT_TRUE(e.alerts.lines.empty());
    in.endpoint = "a1.1";
    e.smsMessages.Turn(4);
    e.smsNumbers.Turn(1);
    EXPECT_EQ("", AddAlertFromControls(e, in));
    EXPECT_EQ("a\t1.\t1\t#\t100\tmA\t\t\t5\t!\t2", e.alerts.lines.at(0));
}
