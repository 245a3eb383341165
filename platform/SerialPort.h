// The serial line to one node: open by device name, read with a 10 ms
// time-out, write whole frames, close. Line settings are fixed: 9600 baud,
// 8 data bits, no parity, 2 stop bits, no flow control, DTR off, RTS on.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "platform/WakeSignal.h"

namespace mnm {

inline constexpr int kLineBaudRate = 9600;
inline constexpr int kLineDataBits = 8;
inline constexpr int kLineStopBits = 2;
// One character on the line: its start bit, data bits and stop bits.
inline constexpr std::chrono::nanoseconds kLineCharacterTime =
    std::chrono::nanoseconds(std::chrono::seconds(1)) * (1 + kLineDataBits + kLineStopBits) / kLineBaudRate;
// A read returns after at most this long with whatever has arrived.
inline constexpr int kSerialReadTimeoutMs = 10;
// Why a path that is no terminal cannot be a port (also said without opening it).
inline constexpr char kNotATerminal[] = "not a terminal";

class SerialPort {
public:
    SerialPort() = default;
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Closes any open port, then opens `name` exclusively and applies the
    // line settings. False when the device cannot be opened or, on POSIX, is
    // not a terminal; `whyNot`, when given, then says why in a few words for
    // "cannot open NAME: reason" (e.g. "not a terminal").
    bool Open(const std::string& name, std::string* whyNot = nullptr);
    void Close();
    bool IsOpen() const;

    // Waits up to kSerialReadTimeoutMs for input and returns 0..capacity bytes.
    // Failures count as nothing received; the wait is kept even then, so a
    // caller polling in a loop stays paced. A raised `wake` ends the wait at
    // once (and is cleared); on Windows the read keeps its time-out.
    int Read(std::uint8_t* buffer, int capacity, WakeSignal* wake = nullptr);

    // Writes all `length` bytes; false if any were lost.
    bool Write(const std::uint8_t* data, int length);

    // True once a read found the device hung up or gone (an adapter pulled,
    // the other end of a pseudo-terminal closed): it will not come back
    // through this descriptor, only by opening the port again. Not detected
    // on Windows, where the read keeps its time-out.
    bool Lost() const { return lost_; }

private:
    bool lost_ = false;
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int fd_ = -1;
#endif
};

} // namespace mnm
