#include "cli/NodeSession.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>

#include "link/Link.h"
#include "link/Worker.h"
#include "settings/Settings.h"

namespace mnm::cli {
namespace {

constexpr auto kProgressInterval = std::chrono::milliseconds(200);

// The progress word as the menu bar's indicator shows it, or "" for none.
std::string ProgressText(std::uint32_t word)
{
    const std::uint32_t kind = word >> 16, value = word & 0xFFFF;
    char text[64] = "";
    if (kind == kProgressReceiving || kind == kProgressSending)
        std::snprintf(text, sizeof text, "%s %u%%", kind == kProgressReceiving ? "receiving" : "sending",
                      value / 10);
    else if (kind == kProgressCommitting)
        std::snprintf(text, sizeof text, "committing to flash %u/%u", value >> 8, value & 0xFF);
    else if (kind == kProgressWiping)
        std::snprintf(text, sizeof text, "wiping the flash");
    return text;
}

} // namespace

NodeSession::NodeSession(const std::string& port)
{
    EnsureSettingsKey();
    WriteSettingDefaults();
    LinkInitialise();
    LinkSelectPort(port);
    link_ = std::jthread([](std::stop_token stop) { LinkThread(stop); });
    WorkerStart([this](int id) {
        {
            std::lock_guard<std::mutex> guard(lock_);
            posted_.insert(id);
        }
        wake_.notify_all();
        return true;
    });
}

NodeSession::~NodeSession()
{
    WorkerStop();
    link_.request_stop();
}

void NodeSession::WaitFor(int commandId)
{
    const bool show = isatty(STDERR_FILENO) == 1;
    std::string shown;
    while (true) {
        {
            std::unique_lock<std::mutex> lock(lock_);
            if (wake_.wait_for(lock, kProgressInterval, [&] { return posted_.count(commandId) != 0; })) break;
        }
        if (!show) continue;
        const std::string text = ProgressText(WorkerProgressWord());
        if (text != shown) std::fprintf(stderr, "\r%-40s", text.c_str());
        shown = text;
    }
    if (show && !shown.empty()) std::fprintf(stderr, "\r%-40s\r", "");
}

} // namespace mnm::cli
