#include "nodeconf/MessageBuffer.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>

namespace mnm {

namespace {
std::mutex bufferLock;
std::string buffer;
} // namespace

int SetComposedMessage(std::string text)
{
    std::lock_guard<std::mutex> hold(bufferLock);
    buffer = std::move(text);
    return kComposedMessage;
}

std::string ComposedMessage()
{
    std::lock_guard<std::mutex> hold(bufferLock);
    return buffer;
}

int ComposeMessage(const char* format, ...)
{
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return SetComposedMessage(text);
}

} // namespace mnm
