// Building each node's record from the template and a table of values, and
// refusing a bad table whole with every fault named.
#include "nodeconf/CsvText.h"
#include "fleet/ProvisionTable.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace mnm;

namespace {

NodeConf Template()
{
    NodeConf c = NewNodeConf();
    c.highwayEncoding = 'A';
    c.highwayCharSize = 8;
    c.highwayParity = 'E';
    std::strcpy(c.networkName, "NORTH");
    c.networkFlags = kFlagNoModem;
    c.nodeNumber = 1;
    c.radioChannel = 5;
    c.transmitPower = 500;
    c.maxRetries = 3;
    c.transmitInterval = 600;
    c.alarmDelay = 1200; // twice the interval, the least it may be
    c.preTransmitOnTime = -1;
    c.lowPowerReceiver = -1;
    c.redialAttempts = -1;
    c.redialInterval = -1;
    return c;
}

bool Build(std::string_view csv, std::vector<ProvisionRow>& rows, std::vector<std::string>& errors)
{
    return BuildProvisionRows(csv, Template(), rows, errors);
}

} // namespace

TEST(ProvisionTable, GoodTableSetsEachRowOverTheTemplate)
{
    // A byte order mark, CR LF line ends, a blank line and an empty
    // spreadsheet row, and quotes around a name with a comma-free space.
    const std::string csv = "\xEF\xBB\xBFnodeNumber,networkName,radioChannel,transmitPower\r\n"
                            "7,SOUTH,12,\r\n"
                            "\r\n"
                            "8,,,250\r\n"
                            ",,,\r\n"
                            "\"9\",\"N 2\",64,100";
    std::vector<ProvisionRow> rows;
    std::vector<std::string> errors;
    ASSERT_TRUE(Build(csv, rows, errors)) << (errors.empty() ? "" : errors.front());
    ASSERT_EQ(rows.size(), 3u);

    EXPECT_EQ(rows[0].row, 2);
    EXPECT_EQ(rows[0].conf.nodeNumber, 7);
    EXPECT_STREQ(rows[0].conf.networkName, "SOUTH");
    EXPECT_EQ(rows[0].conf.radioChannel, 12);
    EXPECT_EQ(rows[0].conf.transmitPower, 500) << "an empty cell keeps the template's value";

    EXPECT_EQ(rows[1].row, 4) << "rows are numbered as the spreadsheet numbers them";
    EXPECT_STREQ(rows[1].conf.networkName, "NORTH");
    EXPECT_EQ(rows[1].conf.radioChannel, 5);
    EXPECT_EQ(rows[1].conf.transmitPower, 250);

    EXPECT_EQ(rows[2].row, 6);
    EXPECT_EQ(rows[2].conf.nodeNumber, 9);
    EXPECT_STREQ(rows[2].conf.networkName, "N 2");
    EXPECT_EQ(rows[2].conf.transmitInterval, 600);
}

TEST(ProvisionTable, BadTableIsRefusedWholeNamingEveryFault)
{
    const std::string csv = "nodeNumber,radioChannel,colour,highwayCharSize,connectionCount,radioChannel\n"
                            "2,5,red,8,0,5\n"
                            "3,abc,red,300,0,5\n"
                            "2,5,red,8,0,5\n"
                            "4,99,red,8,0,5\n"
                            "5,5,red\n";
    std::vector<ProvisionRow> rows;
    std::vector<std::string> errors;
    EXPECT_FALSE(Build(csv, rows, errors));
    EXPECT_TRUE(rows.empty());
    ASSERT_EQ(errors.size(), 8u) << ::testing::PrintToString(errors);
    EXPECT_EQ(errors[0], "row 1, column colour: not a key of the configuration");
    EXPECT_EQ(errors[1], "row 1, column connectionCount: a table's count, recomputed from the table; it cannot be a column");
    EXPECT_EQ(errors[2], "row 1, column radioChannel: repeated (first as column 2)");
    EXPECT_EQ(errors[3], "row 3, column radioChannel: not a decimal integer");
    EXPECT_EQ(errors[4], "row 3, column highwayCharSize: out of range 0..255");
    EXPECT_EQ(errors[5], "row 4, column nodeNumber: node 2 is also on row 2");
    EXPECT_EQ(errors[6], "row 5, column radioChannel: Channel outside the range 1..64") << "the whole-configuration check";
    EXPECT_EQ(errors[7], "row 6: 3 cells where the header has 6 columns");
}

TEST(ProvisionTable, CellsAndHeaderFaults)
{
    std::vector<ProvisionRow> rows;
    std::vector<std::string> errors;

    // "absent" clears an optional field and is refused for one that is not.
    NodeConf lowPower = Template();
    lowPower.preTransmitOnTime = 10;
    ASSERT_TRUE(BuildProvisionRows("nodeNumber,preTransmitOnTime\n3,absent\n4,\n", lowPower, rows, errors))
        << errors.front();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_TRUE(IsAbsent(rows[0].conf.preTransmitOnTime));
    EXPECT_EQ(rows[1].conf.preTransmitOnTime, 10);
    EXPECT_FALSE(Build("nodeNumber,networkFlags\n3,absent\n", rows, errors));
    EXPECT_EQ(errors, std::vector<std::string>{"row 2, column networkFlags: cannot be absent"});

    EXPECT_FALSE(Build("networkName\nEAST\n", rows, errors));
    EXPECT_EQ(errors, std::vector<std::string>{"row 1: no nodeNumber column"});
    EXPECT_FALSE(Build("nodeNumber,connections\n3,x\n", rows, errors));
    EXPECT_EQ(errors, std::vector<std::string>{"row 1, column connections: a table of values; it cannot be a column"});
    EXPECT_FALSE(Build("nodeNumber,networkName\n3,\"EA\"ST\n", rows, errors));
    EXPECT_EQ(errors, std::vector<std::string>{"row 2: text after the closing quote of cell 2"});
    EXPECT_FALSE(Build("nodeNumber,networkName\n3,\"EAST\n", rows, errors));
    EXPECT_EQ(errors, std::vector<std::string>{"row 2: a quoted cell is not closed"});
    // A value the store would change is refused, not sent changed: a name
    // cut to the node's length would make two rows the same node.
    EXPECT_FALSE(Build("nodeNumber,networkName,highwayParity\n11,NORTH1,E\n11,NORTH2,Q\n", rows, errors));
    EXPECT_EQ(errors, (std::vector<std::string>{
                          R"(row 2, column networkName: "NORTH1" would be stored as "NORTH")",
                          R"(row 3, column networkName: "NORTH2" would be stored as "NORTH")",
                          R"(row 3, column highwayParity: "Q" would be stored as "S")",
                      }));
    EXPECT_FALSE(Build("\n\n", rows, errors));
    EXPECT_FALSE(Build("nodeNumber\n", rows, errors));
    EXPECT_EQ(errors, std::vector<std::string>{"the table has no rows below its header"});
}

TEST(CsvText, QuotingRoundTrips)
{
    const std::vector<std::string> cells = {"plain", "a,b", "say \"hi\"", "two\nlines", ""};
    const std::string line = CsvLine(cells);
    EXPECT_EQ(line, "plain,\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\",");

    std::vector<CsvRecord> records;
    CsvFault fault;
    ASSERT_TRUE(SplitCsv(line + "\r\nnext", records, fault));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].cells, cells);
    EXPECT_EQ(records[1].row, 2) << "a quoted line break stays inside its row";
    EXPECT_EQ(SingleLine("one\r\ntwo\nthree"), "one two three");
}
