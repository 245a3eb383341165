// The POSIX serial port on a pseudo-terminal: what opens, the read pacing,
// and that bytes pass unchanged both ways.
#include "platform/SerialPort.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

using namespace mnm;
using Clock = std::chrono::steady_clock;

namespace {

struct Pty {
    int master = -1;
    int slave = -1;
    std::string path;
    Pty()
    {
        if (openpty(&master, &slave, nullptr, nullptr, nullptr) == 0) {
            char name[128] = {};
            if (ttyname_r(slave, name, sizeof name) != 0) name[0] = '\0'; // the test then fails to open ""
            path = name;
            close(slave); // the port under test opens it by name
            slave = -1;
        }
    }
    ~Pty()
    {
        if (master >= 0)
            close(master);
    }
};

long MillisecondsSince(Clock::time_point start)
{
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

} // namespace

TEST(SerialPort, OpensOnlyTerminalsThatExist)
{
    SerialPort port;
    std::string whyNot;
    EXPECT_FALSE(port.Open("/nonexistent/ttyS0", &whyNot));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ("No such file or directory", whyNot);

    char file[] = "/tmp/mnm-not-a-tty-XXXXXX";
    const int fd = mkstemp(file);
    ASSERT_GE(fd, 0);
    EXPECT_FALSE(port.Open(file, &whyNot));
    EXPECT_EQ("not a terminal", whyNot);
    close(fd);
    unlink(file);
    EXPECT_FALSE(port.Open("/dev/null", &whyNot));
    EXPECT_EQ("not a terminal", whyNot);

    Pty pty;
    ASSERT_FALSE(pty.path.empty());
    EXPECT_TRUE(port.Open(pty.path));
    EXPECT_TRUE(port.IsOpen());
    port.Close();
    EXPECT_FALSE(port.IsOpen());
    std::uint8_t b;
    EXPECT_EQ(0, port.Read(&b, 1));
    EXPECT_FALSE(port.Write(&b, 1));
}

TEST(SerialPort, BytesPassBothWaysInChunksOfAtMostTheCapacity)
{
    Pty pty;
    SerialPort port;
    ASSERT_TRUE(port.Open(pty.path));

    std::vector<std::uint8_t> sent;
    for (int i = 0; i < 256; ++i)
        sent.push_back(static_cast<std::uint8_t>(i)); // every value, NUL, XON and XOFF too
    ASSERT_EQ(256, write(pty.master, sent.data(), sent.size()));
    std::vector<std::uint8_t> got;
    for (int tries = 0; tries < 200 && got.size() < sent.size(); ++tries) {
        std::uint8_t chunk[10];
        const int n = port.Read(chunk, 10);
        ASSERT_GE(n, 0);
        ASSERT_LE(n, 10);
        got.insert(got.end(), chunk, chunk + n);
    }
    EXPECT_EQ(sent, got);

    ASSERT_TRUE(port.Write(sent.data(), static_cast<int>(sent.size())));
    std::vector<std::uint8_t> back(sent.size());
    size_t have = 0;
    while (have < back.size()) {
        const ssize_t n = read(pty.master, back.data() + have, back.size() - have);
        ASSERT_GT(n, 0);
        have += static_cast<size_t>(n);
    }
    EXPECT_EQ(sent, back);
}

TEST(SerialPort, ReadWaitsAboutTheTimeOutEvenAfterHangUp)
{
    Pty pty;
    SerialPort port;
    ASSERT_TRUE(port.Open(pty.path));
    std::uint8_t chunk[10];

    auto start = Clock::now();
    EXPECT_EQ(0, port.Read(chunk, 10));
    long elapsed = MillisecondsSince(start);
    EXPECT_GE(elapsed, kSerialReadTimeoutMs - 1);
    EXPECT_LT(elapsed, 200);

    EXPECT_FALSE(port.Lost()) << "nothing to read is no hang-up";

    // With the other side gone poll() reports at once; the read still paces,
    // and says the port is lost until it is opened again.
    close(pty.master);
    pty.master = -1;
    start = Clock::now();
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(0, port.Read(chunk, 10));
    EXPECT_GE(MillisecondsSince(start), 5 * (kSerialReadTimeoutMs - 1));
    EXPECT_TRUE(port.Lost());
    port.Close();
    EXPECT_FALSE(port.Lost());
}
