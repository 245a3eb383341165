#include "nodeconf/ErrorCatalogue.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>

using namespace mnm;

TEST(ErrorCatalogue, HoldsEveryEntryOnce)
{
    const std::vector<int> codes = CatalogueCodes();
    EXPECT_EQ(136u, codes.size());
    EXPECT_EQ(codes.size(), std::set<int>(codes.begin(), codes.end()).size());
    const std::vector<int> add = AddConnectionCodes();
    ASSERT_EQ(14u, add.size());
    for (int i = 0; i < 14; ++i) EXPECT_EQ(-2001 - i, add[i]);
    for (int code : codes) EXPECT_NE(0u, MessageForCode(code).size()) << code;
}

TEST(ErrorCatalogue, EveryEntryHasANameAndEveryNameAnEntry)
{
#define MNM_CODE_VALUE(name, code) code,
    const std::vector<int> named = {MNM_CATALOGUE_CODES(MNM_CODE_VALUE)};
    const std::vector<int> namedAdd = {MNM_ADD_CONNECTION_CODES(MNM_CODE_VALUE)};
#undef MNM_CODE_VALUE
    EXPECT_EQ(CatalogueCodes(), named);
    EXPECT_EQ(AddConnectionCodes(), namedAdd);
    // The names without an entry stay outside both catalogues.
    EXPECT_EQ("Unknown Error: -9401", MessageForCode(kInternalAlertUnreadable));
    EXPECT_EQ("Unknown Error: -2999", AddConnectionMessage(kConnectionBuildFailed));
    EXPECT_EQ("Unknown Error: -2999", MessageForCode(kConnectionBuildFailed));
    for (int code : {kAlertNoDigitalCondition, kAlertPulsePoint, kAlertPageOutOfRange, kAlertNoUnit,
                     kAlertNoAnalogCondition})
        EXPECT_EQ("Unknown Error: " + std::to_string(code), MessageForCode(code));
}

// The texts a command or the editor shows are asserted where they are shown.
TEST(ErrorCatalogue, ExactTexts)
{
    const std::pair<int, const char*> cases[] = {
        {-1001, "Node Number field is empty"},
        {-1603, "Network Name field contains invalid characters.\nValid characters are A..Z  0..9 "
                "and SPACE."},
        {-1701, "More than 192 Connections"},
        {-1801, "More than 256 Entries in Primary Routing Table"},
        {-1802, "More than 256 Entries in Secondary Routing Table"},
        {-4304, "The limit value (in milliamp\xE8res) has too many decimal places"},
        {-4349, "The hysteresis value (in milliamp\xE8res) is too large"},
        {-4382, "The hysteresis value is above the corresponding threshhold.\nFor over-limit "
                "detection, the hysteresis needs to be equal to\nor less than the threshhold\n"},
        {-4431, "Unable to parse Alarm Delay"},
        {-9453, "(Internal Error)\nMHP Transmit buffer too long"},
    };
    for (const auto& [code, text] : cases) EXPECT_EQ(text, MessageForCode(code)) << code;
}

TEST(ErrorCatalogue, ItemNumbers)
{
    const int code = ItemCode(-4211, 3);
    EXPECT_EQ(-(3 * 65536 + 4211), code);
    EXPECT_EQ(-4211, BaseOfCode(code));
    EXPECT_EQ(3, ItemOfCode(code));
    EXPECT_EQ("Telephone Number 3 has a non-digit\nfollowing the '+' symbol", MessageForCode(code));
    EXPECT_EQ("Telephone Number 32 is empty", MessageForCode(ItemCode(-4201, 32)));
    EXPECT_EQ("Unable to add new SMS Connections.\nThe ListBox already contains the maximum of 32",
              MessageForCode(ItemCode(-4251, 32)));
    // An item number on a plain entry still finds its text.
    EXPECT_EQ("(Internal Error)\nMessage Destination Page too long",
              MessageForCode(ItemCode(-9303, 5)));
}

TEST(ErrorCatalogue, UnknownAndReportText)
{
    EXPECT_EQ("Unknown Error: -1", MessageForCode(-1));
    EXPECT_EQ("Unknown Error: -13", MessageForCode(-13));
    EXPECT_EQ("Unknown Error: 1001", MessageForCode(1001)); // only negative codes are errors
    EXPECT_EQ("Unknown Error: -2001", MessageForCode(-2001)); // the Connect button's own book
    EXPECT_EQ("Unknown Error: " + std::to_string(INT_MIN), MessageForCode(INT_MIN));
    EXPECT_EQ("Unknown Error: -65536", MessageForCode(-65536)); // item 1, base 0

    EXPECT_EQ("Error -6 whilst loading .MNC file.", MessageOf(Rejected("Error -6 whilst loading .MNC file.")));
    EXPECT_EQ(MessageForCode(-2151), MessageOf(Report{-2151}));
    EXPECT_EQ("own text", MessageOf(Report{-2151, "own text"})); // the text wins over the catalogue
}

TEST(ErrorCatalogue, AddConnectionBook)
{
    EXPECT_EQ("Invalid Origin Endpoint", AddConnectionMessage(-2001));
    EXPECT_EQ("Invalid Maximum PPM", AddConnectionMessage(-2014));
    EXPECT_EQ("Pulse Connection is set for Transmit-on-State-Change.\nIt should be set for "
              "Transmit-on-Interval only.",
              AddConnectionMessage(-2007));
    EXPECT_EQ("Unknown Error: -1001", AddConnectionMessage(-1001));

    EXPECT_STREQ("Add Connection", AddConnectionBoxTitle(-2000));
    EXPECT_STREQ("Add Connection", AddConnectionBoxTitle(-2999));
    EXPECT_STREQ("Node Configuration Error", AddConnectionBoxTitle(-1999));
    EXPECT_STREQ("Node Configuration Error", AddConnectionBoxTitle(-3000));
}
