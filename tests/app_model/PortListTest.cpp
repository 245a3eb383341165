#include "app/model/PortList.h"
#include "app/model/PortProblem.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>

#include <unistd.h>

namespace fs = std::filesystem;
using namespace mnm::app;

namespace {

// A device tree as /sys and /dev show it, in a temporary folder.
class FakeTree : public testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        root_ = fs::temp_directory_path() / ("mnm-ports-" + std::to_string(::getpid()) + "-" + info->name());
        fs::remove_all(root_);
        Tty("tty0", false);       // a console: no device link
        Tty("ttyS0", true, "4");
        Tty("ttyS1", true, "0"); // a port slot with no UART
        Tty("ttyS2", true, "4");
        Tty("ttyS10", true, "4");
        Tty("ttyUSB0", true);
        Tty("ttyACM0", true);
        fs::create_directories(root_ / "dev/serial/by-id");
        fs::create_symlink("../../ttyUSB0", root_ / "dev/serial/by-id/usb-FTDI_X-if00-port0");
        fs::create_symlink("../../ttyXYZ", root_ / "dev/serial/by-id/usb-Loose");
    }
    void TearDown() override { fs::remove_all(root_); }

    void Tty(const std::string& name, bool device, const std::string& type = "")
    {
        const fs::path dir = root_ / "sys/class/tty" / name;
        fs::create_directories(device ? dir / "device" : dir);
        if (!type.empty()) std::ofstream(dir / "type") << type << "\n";
    }

    PortScan Scan(std::string saved = "", std::string disallow = "")
    {
        PortScan scan;
        scan.root = root_;
        scan.savedPort = std::move(saved);
        scan.disallowPorts = std::move(disallow);
        scan.mayOpen = [this](const fs::path& device) { return device != root_ / "dev/ttyACM0"; };
        return scan;
    }

    fs::path root_;
};

PortEntry Device(std::string path, std::string label = "", std::string reason = "")
{
    const bool enabled = reason.empty();
    return {PortKind::kDevice, path, label.empty() ? path : label, enabled, std::move(reason), false};
}

const PortEntry kVirtual{PortKind::kVirtualNode, "", "Virtual Node (demo)", true, "", false};

} // namespace

TEST_F(FakeTree, ListsSerialDevicesWithoutOpeningThem)
{
    const std::vector<PortEntry> expected = {
        Device("/dev/serial/by-id/usb-Loose"),
        Device("/dev/ttyACM0", "", kNoPermissionReason),
        Device("/dev/ttyS0"),
        Device("/dev/ttyS10"),
        Device("/dev/ttyUSB0", "/dev/ttyUSB0 (usb-FTDI_X-if00-port0)"),
        {PortKind::kSaved, "/dev/pts/7", "/dev/pts/7", true, "", true},
        kVirtual,
    };
    EXPECT_EQ(expected, ListPorts(Scan("/dev/pts/7", "/dev/ttyS1:/dev/ttyS2")));
}

TEST_F(FakeTree, SavedPortIsSelectedUnderItsOwnPath)
{
    std::vector<PortEntry> ports = ListPorts(Scan("/dev/serial/by-id/usb-FTDI_X-if00-port0"));
    ASSERT_EQ(7u, ports.size());
    EXPECT_EQ("/dev/serial/by-id/usb-FTDI_X-if00-port0", ports[5].path);
    EXPECT_TRUE(ports[5].selected);
    EXPECT_EQ(kVirtual, ports[6]);

    ports = ListPorts(Scan("/dev/ttyACM0"));
    ASSERT_EQ(7u, ports.size());
    EXPECT_EQ((PortEntry{PortKind::kDevice, "/dev/ttyACM0", "/dev/ttyACM0", true, "", true}), ports[1])
        << "listed without any check";

    ports = ListPorts(Scan("/dev/ttyACM0", "/dev/ttyACM0 /dev/serial/by-id/usb-FTDI_X-if00-port0"));
    EXPECT_EQ(5u, ports.size()) << "a disallowed saved port is not listed, by either path";
    for (const PortEntry& p : ports) EXPECT_FALSE(p.selected) << p.path;
}

TEST(PortList, NoDeviceTreeLeavesTheVirtualNode)
{
    PortScan scan;
    scan.root = fs::temp_directory_path() / "mnm-ports-nothing-here";
    EXPECT_EQ(std::vector<PortEntry>{kVirtual}, ListPorts(scan));
}

TEST(PortList, DisallowMatchesWholePaths)
{
    EXPECT_TRUE(PortDisallowed("/dev/ttyS1:/dev/ttyS3:", "/dev/ttyS3"));
    EXPECT_TRUE(PortDisallowed("/dev/ttyS1, /dev/ttyUSB0", "/dev/ttyUSB0"));
    EXPECT_FALSE(PortDisallowed("/dev/ttyS1", "/dev/ttyS10"));
    EXPECT_FALSE(PortDisallowed("/dev/ttyS10", "/dev/ttyS1"));
    EXPECT_FALSE(PortDisallowed("", "/dev/ttyS1"));
}

TEST(PortList, MenuTextAndOpenFailures)
{
    EXPECT_EQ("/dev/R&&D - " + std::string(kNoPermissionReason),
              PortMenuText({PortKind::kDevice, "/dev/R&D", "/dev/R&D", false, kNoPermissionReason, false}));
    EXPECT_EQ(kNoPermissionReason, PortOpenFailureReason(EACCES));
    EXPECT_EQ(kBusyReason, PortOpenFailureReason(EBUSY));
    EXPECT_EQ(kGoneReason, PortOpenFailureReason(ENOENT));
    EXPECT_EQ("Port /dev/ttyUSB0: " + std::string(kGoneReason), PortOpenFailureText("/dev/ttyUSB0", ENXIO));
    EXPECT_EQ("cannot be opened (error " + std::to_string(EIO) + ")", PortOpenFailureReason(EIO));
}

// /proc/tty/drivers names the terminal drivers by major number and minor
// range: a character device outside them (/dev/zero) is no port.
TEST(PortList, TerminalDevicesByTheirDriverNumbers)
{
    const char* const drivers = "/dev/tty             /dev/tty        5       0 system:/dev/tty\n"
                                "serial               /dev/ttyS       4      64-111 serial\n"
                                "pty_slave            /dev/pts      136 0-1048575 pty:slave\n"
                                "usbserial            /dev/ttyUSB   188 0-511 serial\n"
                                "a line this reader cannot use\n";
    EXPECT_TRUE(IsTerminalDevice(4, 64, drivers));   // ttyS0
    EXPECT_TRUE(IsTerminalDevice(4, 111, drivers));
    EXPECT_FALSE(IsTerminalDevice(4, 112, drivers));
    EXPECT_TRUE(IsTerminalDevice(136, 7, drivers));  // a pseudo-terminal
    EXPECT_TRUE(IsTerminalDevice(188, 0, drivers));  // ttyUSB0
    EXPECT_TRUE(IsTerminalDevice(5, 0, drivers));
    EXPECT_FALSE(IsTerminalDevice(5, 1, drivers));
    EXPECT_FALSE(IsTerminalDevice(1, 5, drivers));   // /dev/zero
    EXPECT_TRUE(IsTerminalDevice(1, 5, "")) << "without the list nothing is refused";
    EXPECT_EQ("Port /dev/zero: not a terminal", PortNotATerminalText("/dev/zero"));
}
