// The link thread against real pseudo-terminals: the test plays the node on
// the master side, the link opens the slave by its path.
#include "link/Link.h"
#include "tests/Eventually.h"
#include "tests/wire/EncodedFrame.h"
#include "wire/NodeCodes.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

using namespace mnm;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Pty {
    int master = -1;
    int slave = -1;
    std::string path;

    Pty()
    {
        if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0)
            return;
        char name[128] = {};
        if (ttyname_r(slave, name, sizeof name) != 0) name[0] = '\0'; // the test then fails to open ""
        path = name;
        fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
        // Raw, so nothing is echoed, and otherwise unlike the link's settings,
        // so a test can tell that they were applied.
        termios t{};
        tcgetattr(slave, &t);
        cfmakeraw(&t);
        cfsetispeed(&t, B115200);
        cfsetospeed(&t, B115200);
        t.c_cflag = (t.c_cflag & ~(CSIZE | CSTOPB)) | CS7 | PARENB | CRTSCTS;
        t.c_iflag |= IXON | IXOFF;
        tcsetattr(slave, TCSANOW, &t);
    }
    ~Pty()
    {
        close(master);
        close(slave);
    }

    // How many descriptors of this process are open on the slave: 1 is our
    // own, 2 means the link has it open.
    int OpenCount() const
    {
        int n = 0;
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator("/proc/self/fd", ec)) {
            std::error_code linkError;
            if (fs::read_symlink(entry.path(), linkError) == path)
                ++n;
        }
        return n;
    }

    void Send(const Bytes& bytes) const
    {
        ASSERT_EQ(static_cast<ssize_t>(bytes.size()), write(master, bytes.data(), bytes.size()));
    }

    Bytes Receive(size_t count, std::chrono::milliseconds limit = 5000ms) const
    {
        Bytes got;
        Eventually([&] {
            std::uint8_t buffer[256];
            const ssize_t n = read(master, buffer, std::min(sizeof buffer, count - got.size()));
            if (n > 0)
                got.insert(got.end(), buffer, buffer + n);
            return got.size() >= count;
        }, limit);
        return got;
    }

    // Nothing at all arrives on the master side for a while.
    bool Silent(std::chrono::milliseconds span = 300ms) const
    {
        pollfd p{master, POLLIN, 0};
        return poll(&p, 1, static_cast<int>(span.count())) == 0;
    }
};

Bytes NodeText(const std::string& text)
{
    Bytes payload = {kNodeTextType, 0, 0, 0, 0};
    payload.insert(payload.end(), text.begin(), text.end());
    return Encode(payload);
}

std::string TakeText(Link& link, int size = kNodeTextSize)
{
    std::vector<char> buffer(static_cast<size_t>(size), 'z');
    if (link.TakeNodeText(buffer.data(), size) != 1)
        return buffer[0] == '\0' ? "<none>" : "<buffer not emptied>";
    return buffer.data();
}

class LinkOverPty : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(pty.path.empty()); }

    void OpenPty()
    {
        link.SelectPort(pty.path);
        ASSERT_TRUE(Eventually([&] { return pty.OpenCount() == 2; }));
    }

    Pty pty;
    Link link;
    std::jthread thread{[this](std::stop_token stop) { link.Run(stop); }};
};

const Bytes kQuery = {0x01, 0x00, 0x44, 0x00, 0x00};

} // namespace

TEST(LinkMailboxes, TransmitSlotHoldsOneFrameUpToNinetyEightBytes)
{
    const Bytes payload(kMaxPayload + 1, 0x5A);
    Link link;
    EXPECT_EQ(kInternalMhpBufferTooLong, link.QueuePayload(payload.data(), kMaxPayload + 1));
    EXPECT_EQ(1, link.QueuePayload(payload.data(), kMaxPayload));
    EXPECT_EQ(0, link.QueuePayload(payload.data(), 1)); // not yet taken by a link thread
    EXPECT_EQ(kInternalMhpBufferTooLong, link.QueuePayload(payload.data(), kMaxPayload + 1));
    EXPECT_EQ(-2, link.QueuePayload(nullptr, 0));
}

TEST(LinkMailboxes, NothingWaitingReadsAsEmpty)
{
    Link link;
    std::uint8_t payload[kMaxPayload];
    EXPECT_EQ(kFrameNotComplete, link.TakeFrame(payload));
    EXPECT_EQ("<none>", TakeText(link));
    char untouched = 'z';
    EXPECT_EQ(0, link.TakeNodeText(&untouched, 0));
    EXPECT_EQ('z', untouched);
}

TEST_F(LinkOverPty, QueuedPayloadGoesOutAsTheExactFrame)
{
    OpenPty();
    ASSERT_EQ(1, link.QueuePayload(kQuery.data(), static_cast<int>(kQuery.size())));
    Bytes expected = {0x16, 0x16, 0x16, 0x16, 0x02};
    const std::string text = "0501004400004A40";
    expected.insert(expected.end(), text.begin(), text.end());
    expected.push_back(0x03);
    EXPECT_EQ(expected, pty.Receive(expected.size()));
    EXPECT_TRUE(pty.Silent(100ms));

    // Once the thread has taken the frame the slot is free again.
    EXPECT_TRUE(Eventually([&] { return link.QueuePayload(kQuery.data(), 5) == 1; }));
}

TEST_F(LinkOverPty, LineSettingsAreAppliedToTheDevice)
{
    OpenPty();
    termios t{};
    ASSERT_EQ(0, tcgetattr(pty.slave, &t));
    EXPECT_EQ(B9600, cfgetispeed(&t));
    EXPECT_EQ(B9600, cfgetospeed(&t));
    EXPECT_EQ(static_cast<tcflag_t>(CS8), t.c_cflag & CSIZE);
    EXPECT_TRUE(t.c_cflag & CSTOPB);
    EXPECT_FALSE(t.c_cflag & PARENB);
    EXPECT_FALSE(t.c_cflag & CRTSCTS);
    EXPECT_FALSE(t.c_iflag & (IXON | IXOFF | IXANY));
    EXPECT_FALSE(t.c_lflag & (ICANON | ECHO));
}

TEST_F(LinkOverPty, FrameFromTheNodeComesOutOfTakeFrame)
{
    OpenPty();
    std::uint8_t payload[kMaxPayload] = {};
    EXPECT_EQ(kFrameNotComplete, link.TakeFrame(payload));
    Bytes noisy = {'n', 'o', 'i', 's', 'e'};
    const Bytes frame = Encode({0x01, 0x01, 0x44, 0x00, 0x00, 0x2A});
    noisy.insert(noisy.end(), frame.begin(), frame.end());
    pty.Send(noisy);
    int n = -1;
    ASSERT_TRUE(Eventually([&] { return (n = link.TakeFrame(payload)) != kFrameNotComplete; }));
    ASSERT_EQ(6, n);
    EXPECT_EQ(0x2A, payload[5]);
    EXPECT_EQ(kFrameNotComplete, link.TakeFrame(payload));

    // A frame that fails its check is handed over as its check result.
    Bytes bad = Encode({0x01, 0x02});
    bad[bad.size() - 2] = bad[bad.size() - 2] == '0' ? '1' : '0';
    pty.Send(bad);
    ASSERT_TRUE(Eventually([&] { return (n = link.TakeFrame(payload)) != kFrameNotComplete; }));
    EXPECT_EQ(kFrameBadXor, n);
}

TEST_F(LinkOverPty, NodeTextFillsTheMailboxOnceUntilRead)
{
    OpenPty();
    Bytes bytes = NodeText("first");
    const Bytes second = NodeText("second");
    const Bytes reply = Encode(kQuery);
    bytes.insert(bytes.end(), second.begin(), second.end());
    bytes.insert(bytes.end(), reply.begin(), reply.end());
    pty.Send(bytes);

    // The reply comes after both texts, so by then both have been handled;
    // the texts themselves never reach TakeFrame.
    std::uint8_t payload[kMaxPayload];
    ASSERT_TRUE(Eventually([&] { return link.TakeFrame(payload) == 5; }));
    EXPECT_EQ("first", TakeText(link));
    EXPECT_EQ("<none>", TakeText(link));

    // Text ends at a NUL; a short buffer gets what fits and empties the mailbox.
    pty.Send(NodeText(std::string("third\0ignored", 13)));
    std::string text;
    ASSERT_TRUE(Eventually([&] { return (text = TakeText(link, 4)) != "<none>"; }));
    EXPECT_EQ("thi", text);
    EXPECT_EQ("<none>", TakeText(link));
}

TEST_F(LinkOverPty, PortThatAppearsLaterIsOpenedOnceItExists)
{
    const fs::path dir = fs::temp_directory_path() / ("mnm-link-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const fs::path later = dir / "node";
    fs::remove(later);
    link.SelectPort(later.string());
    std::this_thread::sleep_for(600ms); // a few passes that fail to open it
    EXPECT_EQ(1, pty.OpenCount());

    // A frame queued meanwhile goes out once the port opens.
    ASSERT_EQ(1, link.QueuePayload(kQuery.data(), 5));
    fs::create_symlink(pty.path, later);
    EXPECT_TRUE(Eventually([&] { return pty.OpenCount() == 2; }));
    EXPECT_EQ(Encode(kQuery), pty.Receive(Encode(kQuery).size()));
    fs::remove_all(dir);
}

// An adapter pulled and put back: the link lets the dead descriptor go and
// opens the port again once it is there.
TEST_F(LinkOverPty, APortThatHangsUpIsOpenedAgainWhenItIsBack)
{
    const fs::path dir = fs::temp_directory_path() / ("mnm-link-back-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const fs::path adapter = dir / "ttyUSB0";
    fs::remove(adapter);
    fs::create_symlink(pty.path, adapter);
    link.SelectPort(adapter.string());
    ASSERT_TRUE(Eventually([&] { return pty.OpenCount() == 2; }));

    close(pty.master);
    pty.master = -1;
    fs::remove(adapter);
    // The terminal is gone: descriptors on it read as "PATH (deleted)".
    const auto onTheOldTerminal = [&] {
        int n = 0;
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator("/proc/self/fd", ec)) {
            std::error_code linkError;
            const std::string target = fs::read_symlink(entry.path(), linkError).string();
            if (target == pty.path || target == pty.path + " (deleted)") ++n;
        }
        return n;
    };
    EXPECT_TRUE(Eventually([&] { return onTheOldTerminal() == 1; })) << "the link let its descriptor go";

    Pty back;
    fs::create_symlink(back.path, adapter);
    ASSERT_TRUE(Eventually([&] { return back.OpenCount() == 2; }));
    back.Send(Encode(kQuery));
    std::uint8_t payload[kMaxPayload];
    int length = 0;
    EXPECT_TRUE(Eventually([&] { return (length = link.TakeFrame(payload)) == 5; }));
    fs::remove_all(dir);
}

TEST_F(LinkOverPty, EmptyNameClosesTheLongNameIsIgnored)
{
    OpenPty();
    link.SelectPort(std::string(kMaxPortName + 1, 'x'));
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(2, pty.OpenCount());

    link.SelectPort("");
    EXPECT_TRUE(Eventually([&] { return pty.OpenCount() == 1; }));
    ASSERT_EQ(1, link.QueuePayload(kQuery.data(), 5));
    EXPECT_TRUE(pty.Silent(600ms));
}

TEST_F(LinkOverPty, ReselectingTheOpenPortAfterAFailedChoiceOpensItAgain)
{
    OpenPty();
    link.SelectPort("/nonexistent/mnm-port");
    EXPECT_TRUE(Eventually([&] { return pty.OpenCount() == 1; }));
    link.SelectPort(pty.path);
    EXPECT_TRUE(Eventually([&] { return pty.OpenCount() == 2; }));
}

TEST_F(LinkOverPty, ChoosingAnotherPortMovesTheLink)
{
    OpenPty();
    Pty other;
    link.SelectPort(other.path);
    EXPECT_TRUE(Eventually([&] { return pty.OpenCount() == 1 && other.OpenCount() == 2; }));
    ASSERT_EQ(1, link.QueuePayload(kQuery.data(), 5));
    EXPECT_EQ(Encode(kQuery), other.Receive(Encode(kQuery).size()));
}
