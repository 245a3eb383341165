#include "nodeconf/Endpoint.h"

#include "nodeconf/NumberText.h"
#include "nodeconf/ResultCodes.h"

#include <cctype>
#include <cstring>

namespace mnm {

namespace {

bool InSet(char c, const char* set) { return c != '\0' && std::strchr(set, c) != nullptr; }

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }
char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

void SkipPunct(std::string_view& text)
{
    while (!text.empty() && IsPunct(text.front())) text.remove_prefix(1);
}

int AsInt(std::uint32_t value) { return static_cast<int>(value); }

} // namespace

int ParseEndpoint(std::string_view text, bool allowRange, Endpoint& out)
{
    Endpoint e;
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    std::uint32_t number = 0;
    if (TakeDigits(text, number)) e.node = number;
    SkipPunct(text);
    if (text.empty()) return -2;
    if (!InSet(text.front(), "dDaApPsS")) return -3;
    e.letter = text.front();
    text.remove_prefix(1);
    if (!TakeDigits(text, number)) return -4;
    e.card = AsInt(number);
    SkipPunct(text);
    if (text.empty()) return -5;
    if (!TakeDigits(text, number)) return -6;
    e.channel = AsInt(number);
    e.count = 1;
    if (!text.empty()) {
        if (text.front() != '-') return -101;
        if (!allowRange) return -102;
        text.remove_prefix(1);
        if (!TakeDigits(text, number)) return -103;
        if (AsInt(number) < e.channel) return -104;
        if (!text.empty()) return -105;
        e.count = AsInt(number) - e.channel + 1;
    }
    out = e;
    return 0;
}

std::string KindName(char letter)
{
    const char* kind = nullptr;
    switch (Upper(letter)) {
    case 'D': kind = "Digital"; break;
    case 'A': kind = "Analog"; break;
    case 'P': kind = "Pulse"; break;
    case 'S': kind = "Status"; break;
    default: return {};
    }
    return std::string(kind) + (letter == Upper(letter) ? " Output" : " Input");
}

int ParseConnectionOrigin(std::string_view text, Endpoint& out)
{
    Endpoint e;
    switch (ParseEndpoint(text, true, e)) {
    case 0: break;
    case -101:
    case -105: return kOriginBadlyTerminated;
    case -104: return kOriginRangeInverted;
    case -103: return kOriginRangeInvalid;
    default: return kOriginEndpointInvalid;
    }
    if (e.node != absent) return kOriginNotLocal;
    e.letter = Lower(e.letter);
    e.node = 0;
    out = e;
    return 0;
}

int ParseConnectionDestination(std::string_view text, Endpoint& out)
{
    Endpoint e;
    if (ParseEndpoint(text, false, e) != 0) return kDestinationEndpointInvalid;
    e.letter = Upper(e.letter);
    if (e.letter == 'S') return kDestinationEndpointInvalid;
    if (e.node == absent) e.node = 0;
    out = e;
    return 0;
}

int ParseAlertEndpoint(std::string_view text, Endpoint& out)
{
    Endpoint e;
    if (ParseEndpoint(text, false, e) != 0) return kAlertEndpointInvalid;
    if (e.node != absent) return kAlertEndpointHasNode;
    out = e;
    return 0;
}

namespace {

// The dialup page's fixed scans, with scanf's rules: "%c" takes any one
// character, "%d" skips white space and takes a sign and digits, "." must
// match itself. Each returns the number of values read, as scanf does.
struct LocalScan {
    char letter = '\0';
    int card = 0;
    int channel = 0;
};

int ScanLocal(std::string_view text, LocalScan& s) // "%c%d.%d"
{
    if (text.empty()) return 0;
    s.letter = text.front();
    text.remove_prefix(1);
    if (!ScanInt(text, s.card)) return 1;
    if (text.empty() || text.front() != '.') return 2;
    text.remove_prefix(1);
    return ScanInt(text, s.channel) ? 3 : 2;
}

int ScanRemote(std::string_view text, int& node, LocalScan& s) // "%d%c%d.%d"
{
    if (!ScanInt(text, node)) return 0;
    return 1 + ScanLocal(text, s);
}

const char* CheckLocal(std::string_view text, LocalScan& s)
{
    if (ScanLocal(text, s) != 3) return "Invalid Origin Endpoint";
    s.letter = Upper(s.letter);
    if (!InSet(s.letter, "ADPS")) return "Invalid Origin Endpoint Letter";
    if (s.channel == 0) return "Origin Endpoint Channel Number is zero";
    return nullptr;
}

const char* CheckRemote(std::string_view text, int& node, LocalScan& s)
{
    if (ScanRemote(text, node, s) != 4) {
        LocalScan unqualified;
        return ScanLocal(text, unqualified) == 3
                   ? "Destination Endpoint does not include the Node Number"
                   : "Invalid Destination Endpoint";
    }
    if (node == 0) return "Destination Node is zero";
    if (node < 0) return "Destination Node is less than zero";
    if (node > kMaxNodeNumber) return "Destination Node is greater than 254";
    if (s.letter == '\0') return "Unable to Parse Destination Endpoint";
    s.letter = Upper(s.letter);
    if (!InSet(s.letter, "ADPS")) return "Invalid Destination Endpoint Letter";
    if (s.channel == 0) return "Destination Endpoint Channel Number is zero";
    return nullptr;
}

} // namespace

Report ParseDialupEndpoints(std::string_view local, std::string_view remote, bool localIsInput,
                            DialupEndpoints& out)
{
    LocalScan l, r;
    int node = 0;
    if (const char* fault = CheckLocal(local, l)) return Rejected(fault);
    if (const char* fault = CheckRemote(remote, node, r)) return Rejected(fault);
    if (localIsInput) l.letter = Lower(l.letter);
    if (l.letter == 'S')
        return Rejected("Can not connect from a Status Output, as there\n is no such thing");
    if (r.letter == 'S')
        return Rejected("Can not connect to a Status Output, as there\n is no such thing");
    out = DialupEndpoints{l.letter, l.card, l.channel, node, r.letter, r.card, r.channel};
    return {};
}

} // namespace mnm
