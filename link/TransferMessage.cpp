#include "link/TransferMessage.h"

#include <cstdarg>
#include <cstdio>

#include "link/Worker.h"
#include "nodeconf/MessageBuffer.h"

namespace mnm {

int TransferFailure(std::string& message, const char* format, ...)
{
    char text[kWorkerMessageLength + 1];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    message = text;
    return kComposedMessage;
}

} // namespace mnm
