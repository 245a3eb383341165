#include "tools/model/MonitorEndpoint.h"

#include "nodeconf/Endpoint.h"

#include <cctype>

namespace mnm::tools {

namespace {

// The node addresses cards and channels with one byte each; channel 0 is no channel.
bool ChannelFits(int channel) { return channel >= 1 && channel <= kMaxChannelNumber; }

} // namespace

bool KindHoldsRange(char kind)
{
    const int upper = std::toupper(static_cast<unsigned char>(kind));
    return upper == 'D' || upper == 'S';
}

std::optional<MonitoredEndpoint> ParseMonitoredEndpoint(std::string_view text, bool input)
{
    Endpoint e;
    if (ParseEndpoint(text, true, e) != 0) return std::nullopt;
    if (e.node != absent) return std::nullopt;
    // Numbers beyond a byte would wrap in the select command and watch
    // another card or channel than the one typed.
    const int last = e.channel + e.count - 1;
    if (e.card < 0 || e.card > kMaxCardNumber || !ChannelFits(e.channel) || !ChannelFits(last)) return std::nullopt;
    const unsigned char letter = static_cast<unsigned char>(e.letter);
    MonitoredEndpoint m;
    m.kind = static_cast<char>(input ? std::tolower(letter) : std::toupper(letter));
    m.card = e.card;
    m.first = e.channel;
    m.last = KindHoldsRange(m.kind) ? last : e.channel;
    return m;
}

} // namespace mnm::tools
