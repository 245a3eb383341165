// The radio test page's rules: which lamps are lit and which controls are
// enabled in each mode, how the remote-carrier channel edit follows the
// node, how the firmware version is shown, and the endpoint-control
// requests its buttons leave with the worker.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "worker/Worker.h"

namespace mnm::tools {

struct TestPageEnabling {
    bool networkLamp = false;
    bool localLamp = false;
    bool transmitLamp = false;
    bool receiveLamp = false;
    bool remoteGroup = false; // the node, channel and power edits
    bool localGroup = false;  // transmit/receive toggle and the channel and power steps
    bool request = false;     // the remote group enabled and all three of its edits filled
    bool modeButtons = false; // back to network, local carrier: either group enabled
};

// `mode` is the status block's mode byte or kModeUnknown.
TestPageEnabling TestPageRules(int mode, bool remoteEditsFilled);

// The remote-carrier channel edit shows the node's channel while the node is
// in network mode, until the operator types into it. The count starts at 2;
// every change of the edit, ours included, takes one off.
class ChannelFollow {
public:
    static constexpr int kFollowing = 2;

    // The node reports `channel` in `mode`: the text to put in the edit, or
    // nothing when the edit stays as it is. Writing it counts as a change.
    std::optional<std::string> NodeReported(int channel, int mode);
    // The operator changed the edit.
    void Edited();
    int Count() const { return count_; }

private:
    int count_ = kFollowing;
    int lastChannel_ = -1;
};

// Of a version text no more than this many characters are looked at.
inline constexpr std::size_t kFirmwareTextLimit = 200;

// As received with the trinomial display on; otherwise the part before the
// first "/" loses its last "." group and any part after it follows " / ":
// "2.03.0041/B" shows "2.03 / B".
std::string FirmwareText(std::string_view received, bool trinomial);

// The arguments of the endpoint-control actions the page sends; what the
// node does with them is its own affair: the page watches the mode byte of
// the next status blocks.
inline constexpr std::uint16_t kRemoteCarrierArgument = 40;
inline constexpr std::uint16_t kLocalCarrierArgument = 60;
// The node addressed as "this node".
inline constexpr int kThisNode = 0;

struct EndpointRequest {
    int node = kThisNode;
    EndpointControlValues values{};
    bool operator==(const EndpointRequest&) const = default;
};

EndpointRequest LocalCarrierRequest();
EndpointRequest NetworkModeRequest();
// From the three edits, each read as a decimal number (a text that does
// not read counts as -1). Nothing unless the node is 1 to 254 and channel
// and power are values a 16-bit word carries other than "no value".
std::optional<EndpointRequest> RemoteCarrierRequest(std::string_view node, std::string_view channel,
                                                    std::string_view power);

} // namespace mnm::tools
