// POSIX serial port: a terminal device opened raw and exclusive, read
// through poll() so that every read ends within the read time-out.
#include "platform/SerialPort.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace mnm {

namespace {

static_assert(kLineBaudRate == 9600 && kLineDataBits == 8 && kLineStopBits == 2,
              "the termios flags below spell out these line settings");

// A write that cannot drain in this time (a stalled or vanished device) is
// given up, so the link thread never blocks for good.
constexpr int kWriteTimeoutMs = 2000;

void ApplyLineSettings(int fd, termios& tio)
{
    cfmakeraw(&tio);
    cfsetispeed(&tio, B9600);
    cfsetospeed(&tio, B9600);
    tio.c_cflag &= ~(CSIZE | PARENB | CRTSCTS);
    tio.c_cflag |= CS8 | CSTOPB | CLOCAL | CREAD;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    tcsetattr(fd, TCSANOW, &tio);

    // A pseudo-terminal has no modem lines; these fail there and that is fine.
    int dtr = TIOCM_DTR;
    ioctl(fd, TIOCMBIC, &dtr);
    int rts = TIOCM_RTS;
    ioctl(fd, TIOCMBIS, &rts);
}

} // namespace

SerialPort::~SerialPort()
{
    Close();
}

bool SerialPort::Open(const std::string& name, std::string* whyNot)
{
    Close();
    // O_NONBLOCK keeps open() from waiting for carrier on a modem line (and
    // from waiting for a reader on a FIFO).
    int fd = ::open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (whyNot)
            *whyNot = std::strerror(errno);
        return false;
    }
    // A file or a device such as /dev/null would take every frame and never
    // answer: only a terminal can be a serial line.
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) {
        ::close(fd);
        if (whyNot)
            *whyNot = kNotATerminal;
        return false;
    }
    ioctl(fd, TIOCEXCL);
    ApplyLineSettings(fd, tio);
    fd_ = fd;
    lost_ = false;
    return true;
}

void SerialPort::Close()
{
    if (fd_ >= 0) {
        // The exclusive claim outlives the descriptor while the other side of
        // a pseudo-terminal stays open; give it up so the next Open succeeds.
        ioctl(fd_, TIOCNXCL);
        ::close(fd_);
        fd_ = -1;
    }
    lost_ = false;
}

bool SerialPort::IsOpen() const
{
    return fd_ >= 0;
}

int SerialPort::Read(std::uint8_t* buffer, int capacity, WakeSignal* wake)
{
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kSerialReadTimeoutMs);
    if (fd_ >= 0 && capacity > 0) {
        pollfd p[2] = {{fd_, POLLIN, 0}, {wake ? wake->Handle() : -1, POLLIN, 0}};
        const int ready = ::poll(p, 2, kSerialReadTimeoutMs);
        if (ready == 0)
            return 0;
        if (ready > 0 && (p[0].revents & (POLLIN | POLLHUP | POLLERR | POLLNVAL))) {
            const ssize_t n = ::read(fd_, buffer, static_cast<size_t>(capacity));
            if (n > 0)
                return static_cast<int>(n);
            // Bytes still buffered are read first; then a hang-up reads as
            // the end of the file, a vanished device as EIO.
            const bool hungUp = (p[0].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
            if (hungUp || (n < 0 && (errno == EIO || errno == ENXIO || errno == ENODEV)))
                lost_ = true;
        }
        if (ready > 0 && (p[1].revents & POLLIN)) {
            wake->Clear();
            return 0;
        }
    }
    // Hang-up, error or nothing to read from: poll returns at once there, so
    // wait out the time-out rather than let the caller spin.
    std::this_thread::sleep_until(deadline);
    return 0;
}

bool SerialPort::Write(const std::uint8_t* data, int length)
{
    if (fd_ < 0)
        return false;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kWriteTimeoutMs);
    int done = 0;
    while (done < length) {
        const ssize_t n = ::write(fd_, data + done, static_cast<size_t>(length - done));
        if (n > 0) {
            done += static_cast<int>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            return false;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd p{fd_, POLLOUT, 0};
        if (::poll(&p, 1, static_cast<int>(left.count())) <= 0 || !(p.revents & POLLOUT))
            return false;
    }
    return true;
}

} // namespace mnm
