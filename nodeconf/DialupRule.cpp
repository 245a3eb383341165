#include "nodeconf/DialupRule.h"

#include "nodeconf/ConnectionRule.h"
#include "nodeconf/Endpoint.h"
#include "nodeconf/NumberText.h"

#include <cctype>
#include <cstring>

namespace mnm {

namespace {

constexpr std::uint32_t kMaxU16 = 0xFFFF;
constexpr int kSecondary = 1;

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool InByte(int value) { return value >= 0 && value <= 255; }

// Equal kinds, pulse to analog, and status to digital may be connected.
bool KindsConnect(char local, char remote)
{
    return local == remote || (local == 'P' && remote == 'A') || (local == 'S' && remote == 'D');
}

// The interval text in minutes: digits, or hours 'H' minutes. Sets
// tooLargeNoH for an H-less value past 16 bits, which leaves the entry
// invalid rather than naming the fault.
Report ReadInterval(const std::string& text, std::uint32_t& minutes, bool& tooLargeNoH)
{
    if (text.empty()) return Rejected("The Transmission Interval is empty");
    std::size_t h = std::string::npos;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsDigit(text[i])) continue;
        if (Upper(text[i]) != 'H')
            return Rejected("There is a character in the Transmission Interval that is\n"
                            "neither a digit nor an 'H'");
        if (h != std::string::npos)
            return Rejected("There is more than one 'H' character in the Transmission Interval");
        h = i;
    }
    const std::string_view all(text);
    if (h == std::string::npos) {
        minutes = DigitsValue(all);
        tooLargeNoH = minutes > kMaxU16;
    } else {
        const std::uint64_t hours = DigitsValue(all.substr(0, h));
        const std::uint64_t total = hours * 60 + DigitsValue(all.substr(h + 1));
        if (total > kMaxU16) return Rejected("The Transmission Interval is too great");
        minutes = static_cast<std::uint32_t>(total);
    }
    if (minutes == 0) return Rejected("The Transmission Interval is zero");
    return {};
}

} // namespace

Report BuildDialupConnection(const DialupInput& in, DialupConnection& out)
{
    DialupEndpoints ends;
    if (Report r = ParseDialupEndpoints(in.local, in.remote, in.direction == 0, ends); !r.ok())
        return r;

    DialupConnection entry;
    std::memset(&entry, 0, sizeof entry);
    const bool secondary = in.route == kSecondary;
    int telephone = in.telephonePage;
    if (secondary) {
        telephone = 0;
        entry.flags |= kDialSecondary;
    } else if (in.leasedLine) {
        telephone = kDialLeasedLine;
    }
    bool valid = InByte(ends.localCard) && InByte(ends.localChannel) && InByte(telephone) &&
                 ends.remoteNode >= 0 && ends.remoteNode <= kMaxNodeNumber &&
                 InByte(ends.remoteCard) && InByte(ends.remoteChannel);
    entry.localKind = ends.localLetter;
    entry.localCard = static_cast<std::uint8_t>(ends.localCard);
    entry.localChannel = static_cast<std::uint8_t>(ends.localChannel);
    entry.telephone = static_cast<std::uint8_t>(telephone);
    entry.remoteNode = static_cast<std::uint8_t>(ends.remoteNode);
    entry.remoteKind = ends.remoteLetter;
    entry.remoteCard = static_cast<std::uint8_t>(ends.remoteCard);
    entry.remoteChannel = static_cast<std::uint8_t>(ends.remoteChannel);

    const char local = Upper(ends.localLetter), remote = ends.remoteLetter;
    if (!KindsConnect(local, remote))
        return Rejected("Cannot connect " + KindName(ends.localLetter) + " to " +
                        KindName(ends.remoteLetter));
    const bool pulseToAnalog = local == 'P' && remote == 'A';

    if (pulseToAnalog) {
        if (in.maxPpm.empty()) return Rejected("The Maximum Pulse-Rate is empty");
        if (!IsAllDigits(in.maxPpm))
            return Rejected("There is a non-digit in the Maximum Pulse-Rate");
        const std::uint32_t ppm = DigitsValue(in.maxPpm);
        if (ppm == 0) return Rejected("The Maximum Pulse-Rate must not be zero");
        if (ppm > static_cast<std::uint32_t>(kMaxPulsesPerMinute))
            return Rejected("The Maximum Pulse-Rate of " + DigitsAsNumber(in.maxPpm) +
                            " exceeds the maximum of " + std::to_string(kMaxPulsesPerMinute));
        entry.maxPpm = static_cast<std::uint16_t>(ppm);
        entry.flags |= kDialHasMaxPpm;
        if (in.offset4mA) entry.flags |= kDialOffset;
    }

    bool hasInterval = false;
    if (!secondary && in.intervalTicked) {
        std::uint32_t minutes = 0;
        bool tooLarge = false;
        if (Report r = ReadInterval(in.interval, minutes, tooLarge); !r.ok()) return r;
        if (tooLarge) valid = false;
        hasInterval = true;
        entry.interval = static_cast<std::uint16_t>(minutes);
    }

    if (!secondary && !pulseToAnalog && in.changeTicked) {
        entry.flags |= kDialOnChange;
        if (local == 'A' || local == 'P') {
            if (in.threshold.empty())
                return Rejected("The Transmission State-Change Threshhold is empty");
            if (!IsAllDigits(in.threshold))
                return Rejected("The Transmission State-Change Threshhold contains non-digits.");
            const std::uint32_t threshold = DigitsValue(in.threshold);
            if (threshold == 0)
                return Rejected("The Transmission State-Change Threshhold must be non-zero");
            if (local == 'A') {
                if (threshold >= static_cast<std::uint32_t>(kMaxChangePercent))
                    return Rejected(
                        "The Transmission State-Change Threshhold must be lower than 100%");
                entry.flags |= kDialPercent;
            } else if (threshold >= kMaxU16) {
                valid = false;
            }
            entry.changeThreshold = static_cast<std::uint16_t>(threshold);
        }
    }

    if (!secondary && !(entry.flags & kDialOnChange) && !hasInterval)
        return Rejected(pulseToAnalog
                            ? "The Connection does not have an Interval associated with it."
                            : "The Connection has neither Interval nor State-Change conditions "
                              "associated with it.");
    if (!valid)
        return Rejected("The Connection is invalid in some way,\n but MNMGR can not tell what.");
    entry.flags |= kDialValid;
    out = entry;
    return {};
}

} // namespace mnm
