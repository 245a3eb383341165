// Win32 serial port: a COM device opened with no sharing and synchronous
// I/O; reads are paced by the communication time-outs alone.
#include "platform/SerialPort.h"

#include <windows.h>

namespace mnm {

namespace {

// EV_RXCHAR | EV_TXEMPTY | EV_CTS | EV_DSR | EV_RLSD | EV_BREAK | EV_ERR | EV_RING
constexpr DWORD kEventMask = 0x1FD;

HANDLE AsHandle(void* h)
{
    return static_cast<HANDLE>(h);
}

} // namespace

SerialPort::~SerialPort()
{
    Close();
}

bool SerialPort::Open(const std::string& name, std::string* whyNot)
{
    Close();
    HANDLE h = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        if (whyNot)
            *whyNot = "system error " + std::to_string(GetLastError());
        return false;
    }

    // The other DCB fields keep what the driver reported.
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    GetCommState(h, &dcb);
    dcb.BaudRate = kLineBaudRate;
    dcb.ByteSize = kLineDataBits;
    dcb.Parity = NOPARITY;
    dcb.StopBits = TWOSTOPBITS;
    dcb.fBinary = TRUE;
    dcb.fParity = FALSE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_DISABLE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fTXContinueOnXoff = TRUE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    dcb.fAbortOnError = FALSE;
    SetCommState(h, &dcb);

    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = 0;
    timeouts.ReadTotalTimeoutConstant = kSerialReadTimeoutMs;
    timeouts.WriteTotalTimeoutMultiplier = 0;
    timeouts.WriteTotalTimeoutConstant = 0;
    SetCommTimeouts(h, &timeouts);

    DWORD mask = 0;
    GetCommMask(h, &mask);
    SetCommMask(h, mask | kEventMask);

    handle_ = h;
    return true;
}

void SerialPort::Close()
{
    if (handle_ != nullptr) {
        CloseHandle(AsHandle(handle_));
        handle_ = nullptr;
    }
}

bool SerialPort::IsOpen() const
{
    return handle_ != nullptr;
}

int SerialPort::Read(std::uint8_t* buffer, int capacity, WakeSignal*)
{
    if (handle_ == nullptr || capacity <= 0) {
        Sleep(kSerialReadTimeoutMs);
        return 0;
    }
    DWORD n = 0;
    if (!ReadFile(AsHandle(handle_), buffer, static_cast<DWORD>(capacity), &n, nullptr))
        return 0;
    return static_cast<int>(n);
}

bool SerialPort::Write(const std::uint8_t* data, int length)
{
    if (handle_ == nullptr)
        return false;
    DWORD n = 0;
    return WriteFile(AsHandle(handle_), data, static_cast<DWORD>(length), &n, nullptr) &&
           n == static_cast<DWORD>(length);
}

// Reads here end by their own time-out; nothing needs waking.
WakeSignal::WakeSignal() = default;
WakeSignal::~WakeSignal() = default;
void WakeSignal::Raise() {}
void WakeSignal::Clear() {}

} // namespace mnm
