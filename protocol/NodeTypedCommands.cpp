#include "protocol/NodeTypedCommands.h"

#include <cstring>

#include "protocol/NodeProtocol.h"
#include "wire/WireRecords.h"

namespace mnm {

int NodeCommandU8(NodeChannel& channel, std::uint8_t code, std::uint8_t value, int timeoutFactor)
{
    return NodeCommand(channel, code, &value, 1, timeoutFactor);
}

int NodeCommandU16(NodeChannel& channel, std::uint8_t code, int value, int timeoutFactor)
{
    if (value < 0 || value > 65535) return kTransportBadRequest;
    std::uint8_t data[2];
    PutU16(data, static_cast<std::uint32_t>(value));
    return NodeCommand(channel, code, data, 2, timeoutFactor);
}

int NodeCommandU32(NodeChannel& channel, std::uint8_t code, std::uint32_t value)
{
    std::uint8_t data[4];
    PutU32(data, value);
    return NodeCommand(channel, code, data, 4);
}

int NodeCommandU32Retry(NodeChannel& channel, std::uint8_t code, std::uint32_t value, int attempts)
{
    std::uint8_t data[4];
    PutU32(data, value);
    return NodeCommandRetry(channel, code, data, 4, attempts);
}

int NodeCommandIndexedU32(NodeChannel& channel, std::uint8_t code, int index, std::uint32_t value)
{
    std::uint8_t data[6];
    PutU16(data, static_cast<std::uint32_t>(index));
    PutU32(data + 2, value);
    return NodeCommand(channel, code, data, 6);
}

int NodeCommandText(NodeChannel& channel, std::uint8_t code, const char* text, int timeoutFactor)
{
    const std::size_t length = std::strlen(text);
    if (length >= static_cast<std::size_t>(kCommandDataLimit)) return kInternalNcpBufferTooLong;
    return NodeCommand(channel, code, reinterpret_cast<const std::uint8_t*>(text), static_cast<int>(length),
                       timeoutFactor);
}

int NodeCommandIndexedText(NodeChannel& channel, std::uint8_t code, int index, const char* text, int timeoutFactor)
{
    const std::size_t length = std::strlen(text);
    if (length > static_cast<std::size_t>(kIndexedTextLimit)) return kInternalNcpStringTooLong;
    std::uint8_t data[2 + kIndexedTextLimit];
    PutU16(data, static_cast<std::uint32_t>(index));
    std::memcpy(data + 2, text, length);
    return NodeCommand(channel, code, data, static_cast<int>(2 + length), timeoutFactor);
}

int NodeCommandRetry(NodeChannel& channel, std::uint8_t code, const std::uint8_t* data, int length, int attempts,
                     int timeoutFactor)
{
    if (attempts == -1) attempts = kDefaultCommandAttempts;
    int result = kTransportNoAck;
    for (int i = 0; i < attempts; ++i) {
        result = NodeCommand(channel, code, data, length, timeoutFactor);
        if (result >= 0 || result == kTransportCancelled) break;
    }
    return result;
}

int NodeCommandIndexedTextRetry(NodeChannel& channel, std::uint8_t code, int index, const char* text, int attempts)
{
    if (attempts == -1) attempts = kDefaultCommandAttempts;
    int result = kTransportNoAck;
    for (int i = 0; i < attempts; ++i) {
        result = NodeCommandIndexedText(channel, code, index, text);
        if (result >= 0 || result == kTransportCancelled) break;
    }
    return result;
}

} // namespace mnm
