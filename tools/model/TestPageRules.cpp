#include "tools/model/TestPageRules.h"

#include <algorithm>

#include "nodeconf/Endpoint.h"
#include "nodeconf/NumberText.h"
#include "tools/model/RadioStatus.h"

namespace mnm::tools {

namespace {

constexpr std::string_view kWhiteSpace = " \t\n\r\f\v";
constexpr std::string_view kPartSeparator = "/";
constexpr std::string_view kShownSeparator = " / ";
constexpr char kGroupSeparator = '.';
constexpr int kUnreadable = -1;

// Leading white space of any kind, trailing spaces only.
std::string_view Trimmed(std::string_view part)
{
    const std::size_t first = part.find_first_not_of(kWhiteSpace);
    if (first == std::string_view::npos) return {};
    part.remove_prefix(first);
    const std::size_t last = part.find_last_not_of(' ');
    return part.substr(0, last + 1);
}

EndpointRequest ThisNode(std::uint16_t code, std::uint16_t argument)
{
    EndpointRequest request;
    request.node = kThisNode;
    request.values.fill(kControlNoValue);
    request.values[0] = code;
    request.values[1] = argument;
    return request;
}

// A decimal number as "%d" reads one; -1 when there are no digits.
int ReadDecimal(std::string_view text)
{
    int value = kUnreadable;
    return ScanInt(text, value) ? value : kUnreadable;
}

bool FitsControlValue(int value) { return value >= 0 && value < kControlNoValue; }

} // namespace

TestPageEnabling TestPageRules(int mode, bool remoteEditsFilled)
{
    TestPageEnabling e;
    switch (mode) {
    case kModeNetwork:
        e.networkLamp = true;
        e.remoteGroup = true;
        break;
    case kModeCarrierReceive:
        e.localLamp = true;
        e.receiveLamp = true;
        e.localGroup = true;
        break;
    case kModeCarrierTransmit:
        e.localLamp = true;
        e.transmitLamp = true;
        e.localGroup = true;
        break;
    default: break; // unknown: everything off
    }
    e.request = e.remoteGroup && remoteEditsFilled;
    e.modeButtons = e.remoteGroup || e.localGroup;
    return e;
}

std::optional<std::string> ChannelFollow::NodeReported(int channel, int mode)
{
    if (channel == lastChannel_ || mode != kModeNetwork) return std::nullopt;
    lastChannel_ = channel;
    if (count_ <= 0) return std::nullopt;
    count_ = kFollowing;
    Edited(); // our own write is a change of the edit as well
    return std::to_string(channel);
}

void ChannelFollow::Edited()
{
    if (count_ > 0) --count_;
}

std::string FirmwareText(std::string_view received, bool trinomial)
{
    received = received.substr(0, std::min(received.size(), kFirmwareTextLimit));
    if (trinomial) return std::string(received);
    const std::size_t slash = received.find(kPartSeparator);
    std::string_view first = received.substr(0, slash);
    const std::string_view second =
        slash == std::string_view::npos ? std::string_view() : received.substr(slash + kPartSeparator.size());
    const std::size_t dot = first.rfind(kGroupSeparator);
    if (dot != std::string_view::npos && dot != 0) first = first.substr(0, dot);
    std::string shown(Trimmed(first));
    const std::string_view tail = Trimmed(second);
    if (!tail.empty()) shown.append(kShownSeparator).append(tail);
    return shown;
}

EndpointRequest LocalCarrierRequest() { return ThisNode(kControlLocalCarrier, kLocalCarrierArgument); }

EndpointRequest NetworkModeRequest() { return ThisNode(kControlNetwork, kControlNoValue); }

std::optional<EndpointRequest> RemoteCarrierRequest(std::string_view node, std::string_view channel,
                                                    std::string_view power)
{
    const int n = ReadDecimal(node);
    const int c = ReadDecimal(channel);
    const int p = ReadDecimal(power);
    if (n < 1 || n > kMaxNodeNumber) return std::nullopt;
    // Cut to 16 bits a channel of 65536 would become channel 0, and 65535
    // would say "none": neither is what the operator asked for.
    if (!FitsControlValue(c) || !FitsControlValue(p)) return std::nullopt;
    EndpointRequest request;
    request.node = static_cast<int>(n);
    request.values = {kControlRemoteCarrier, kRemoteCarrierArgument, static_cast<std::uint16_t>(c),
                      static_cast<std::uint16_t>(p), kControlNoValue, kControlNoValue};
    return request;
}

} // namespace mnm::tools
