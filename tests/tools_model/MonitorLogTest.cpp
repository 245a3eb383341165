#include "tools/model/MonitorLog.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace mnm::tools {
namespace {

using namespace std::chrono;

// Local time is UTC for the test's length, so local times are known.
class MonitorLogInUtc : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const char* tz = std::getenv("TZ")) zone_ = tz;
        Zone("UTC");
    }
    void TearDown() override
    {
        if (zone_)
            Zone(zone_->c_str());
        else
            unsetenv("TZ");
        tzset();
    }
    static void Zone(const char* zone)
    {
        setenv("TZ", zone, 1);
        tzset();
    }

private:
    std::optional<std::string> zone_;
};

// 2024-05-01 13:45:12 UTC.
const system_clock::time_point kMay1 = system_clock::time_point(seconds(1714571112));

TEST(MonitorLogLines, HeaderAndFieldsAsCommaSeparatedFilesWantThem)
{
    EXPECT_EQ(MonitorLogHeader(), "Time,Endpoint,Value,Shown,Caption\r\n");
}

TEST_F(MonitorLogInUtc, TimestampIsLocalTimeToTheMillisecond)
{
    EXPECT_EQ(LocalTimestamp(kMay1 + milliseconds(45)), "2024-05-01T13:45:12.045");
    EXPECT_EQ(LocalTimestamp(system_clock::time_point() - milliseconds(1)), "1969-12-31T23:59:59.999");
    Zone("EST5"); // five hours west, no summer time
    EXPECT_EQ(LocalTimestamp(kMay1), "2024-05-01T08:45:12.000");
}

TEST_F(MonitorLogInUtc, RowQuotesOnlyWhatNeedsIt)
{
    EXPECT_EQ(MonitorLogRow(kMay1 + milliseconds(500), "D1.8-1", 129, "10000001", "Digital Inputs  D1.8-1"),
              "2024-05-01T13:45:12.500,D1.8-1,129,10000001,Digital Inputs  D1.8-1\r\n");
    EXPECT_EQ(MonitorLogRow(kMay1, "A2.1", 1, "0,1", "Analog Output (V)  A2.1 (Valve, main)"),
              "2024-05-01T13:45:12.000,A2.1,1,\"0,1\",\"Analog Output (V)  A2.1 (Valve, main)\"\r\n");
}

} // namespace
} // namespace mnm::tools
