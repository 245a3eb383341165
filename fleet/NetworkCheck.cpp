#include "fleet/NetworkCheck.h"

#include "editor/model/AlertList.h"
#include "editor/model/AlertRow.h"
#include "editor/model/ConnectionList.h"
#include "editor/model/DialupRow.h"
#include "editor/model/RoutingList.h"
#include "editor/model/TabFields.h"
#include "nodeconf/Endpoint.h"
#include "nodeconf/NumberText.h"
#include "nodeconf/ResultCodes.h"
#include "nodeconf/Telephone.h"
#include "nodeconf/TextEncoding.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>

namespace mnm {

namespace {

// The connection line's fields the endpoint notation takes.
constexpr std::size_t kInputField = 1;
constexpr std::size_t kOutputNodeField = 3;
constexpr std::size_t kOutputField = 4;

// Words of a routing line that are not numbers.
constexpr std::string_view kRangeMark = "..";
constexpr std::string_view kDirectMark = "[Direct]";
constexpr std::string_view kFailMark = "[FAIL]";

constexpr std::string_view kNotInNetwork = " is not among the configurations";

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string NodeText(int node) { return "node " + std::to_string(node); }

int Used(std::int32_t count, int capacity) { return std::clamp<std::int32_t>(count, 0, capacity); }

template <std::size_t N>
std::string_view FixedText(const char (&text)[N])
{
    return std::string_view(text, strnlen(text, N));
}

bool HasRadio(const NodeConf& c) { return !(c.networkFlags & kFlagNoRadio); }
bool HasLeasedLine(const NodeConf& c) { return !(c.networkFlags & kFlagNoModem) && (c.networkFlags & kFlagLeasedLine); }
bool HasDialupModem(const NodeConf& c) { return !(c.networkFlags & (kFlagNoModem | kFlagLeasedLine)); }

// ---- Routing entries, read from the line the routing page shows ----

enum class Via { Direct, Fail, Repeater, Telephone, LeasedLine };

struct Route {
    int first = 0; // 0: any node
    int last = 0;
    Via via = Via::Direct;
    int number = 0;   // the repeater node or the telephone number's position
    std::string text; // as the operator reads it: "12 by repeater 5"
};

int NumberOf(const std::string& word) { return IsAllDigits(word) ? static_cast<int>(DigitsValue(word)) : 0; }

// The word's layout lives with the routing list: reading the line it shows
// keeps one decoder, and gives the entry as the operator knows it.
Route ReadRoute(RouteEntry word)
{
    std::vector<std::string> words;
    for (std::string& field : editor::SplitTabs(editor::RoutingLine(word)))
        if (!field.empty()) words.push_back(std::move(field));
    const auto at = [&](std::size_t i) { return i < words.size() ? words[i] : std::string(); };

    Route r;
    r.first = NumberOf(at(0)); // "[Any]" reads as 0
    std::size_t next = 1;
    r.last = r.first;
    if (at(next) == kRangeMark) {
        r.last = NumberOf(at(next + 1));
        next += 2;
    }
    const std::string how = at(next);
    const editor::RoutingList one{{word}};
    if (editor::CountRoutes(one, editor::RouteKind::LeasedLine)) r.via = Via::LeasedLine;
    else if (editor::CountRoutes(one, editor::RouteKind::Telephone)) r.via = Via::Telephone;
    else if (how == kFailMark) r.via = Via::Fail;
    else if (how == kDirectMark) r.via = Via::Direct;
    else r.via = Via::Repeater;
    if (r.via == Via::Repeater || r.via == Via::Telephone) r.number = NumberOf(at(next + 1));

    for (std::size_t i = 0; i < words.size(); ++i) {
        const bool metric = editor::RouteHasMetric(word) && i + 1 == words.size();
        const std::string icon = editor::RoutingIconWord(words[i]);
        if (i) r.text += ' ';
        if (metric) r.text += "metric ";
        r.text += icon.empty() ? words[i] : icon;
    }
    return r;
}

bool Covers(const Route& r, int node) { return r.first == 0 || node == r.first || (node > r.first && node <= r.last); }

// How many nodes an entry covers: the narrowest entry for a node wins.
int Span(const Route& r) { return r.first == 0 ? kMaxNodeNumber : std::max(r.last - r.first, 0); }

// The primary entry a node forwards a message for `node` by; none means the
// node sends it straight to its destination by radio.
std::optional<Route> PrimaryRouteFor(const NodeConf& c, int node)
{
    std::optional<Route> best;
    for (int i = 0; i < Used(c.primaryRouteCount, kMaxRoutes); ++i) {
        Route r = ReadRoute(c.primaryRoutes[i]);
        if (Covers(r, node) && (!best || Span(r) < Span(*best))) best = std::move(r);
    }
    return best;
}

// ---- Entries in the operator's notation ----

std::string ConnectionText(const Connection& c)
{
    const std::vector<std::string> f = editor::SplitTabs(editor::ConnectionLine(c));
    if (f.size() <= kOutputField) return "connection";
    const std::string node = f[kOutputNodeField] == "0" ? "" : f[kOutputNodeField];
    return "connection " + f[kInputField] + " -> " + node + f[kOutputField];
}

std::string DialupText(const DialupConnection& d)
{
    DialupInput edits;
    editor::CopyBackDialup(d, edits);
    return "dialup connection " + edits.local + " -> " + edits.remote;
}

std::string AlertText(const SmsConnection& a, int position)
{
    const std::string spoken = editor::SpokenAlertRow(editor::AlertLine(a));
    return "alert " + std::to_string(position) + (spoken.empty() ? "" : " " + Quoted(spoken));
}

// ---- The network ----

class Network {
public:
    explicit Network(const std::vector<NetworkMember>& members) : members_(members)
    {
        for (std::size_t i = 0; i < members.size(); ++i) holders_.try_emplace(members[i].conf.nodeNumber, i);
    }

    const std::vector<NetworkMember>& Members() const { return members_; }
    // The first member holding the node number, or none.
    const NetworkMember* Find(int node) const
    {
        const auto it = holders_.find(node);
        return it == holders_.end() ? nullptr : &members_[it->second];
    }
    bool Has(int node) const { return Find(node) != nullptr; }

private:
    const std::vector<NetworkMember>& members_;
    std::map<int, std::size_t> holders_;
};

// The name most members hold, the earliest on a tie, and its first holder.
std::size_t NetworkNameHolder(const std::vector<NetworkMember>& members)
{
    std::map<std::string_view, int> counts;
    for (const NetworkMember& m : members) ++counts[FixedText(m.conf.networkName)];
    std::size_t holder = 0;
    for (std::size_t i = 1; i < members.size(); ++i)
        if (counts[FixedText(members[i].conf.networkName)] > counts[FixedText(members[holder].conf.networkName)])
            holder = i;
    return holder;
}

// The faults of one member, in rule order.
class MemberCheck {
public:
    MemberCheck(const Network& net, std::size_t index, std::vector<NetworkFinding>& out)
        : net_(net), me_(net.Members()[index]), conf_(me_.conf), out_(out)
    {
    }

    void Run(std::size_t nameHolder)
    {
        CheckIdentity(nameHolder);
        const std::vector<Destination> remote = RemoteDestinations();
        for (const Destination& d : remote)
            if (!net_.Has(d.node)) Add(d.text + ": " + NodeText(d.node) + std::string(kNotInNetwork));
        CheckRoutingNodes("primary route", conf_.primaryRoutes, conf_.primaryRouteCount);
        CheckRoutingNodes("secondary route", conf_.secondaryRoutes, conf_.secondaryRouteCount);
        for (const Destination& d : remote)
            if (net_.Has(d.node))
                if (std::optional<std::string> fault = FollowRoutes(d.node)) Add(d.text + ": " + *fault);
        CheckTelephoneReferences();
    }

private:
    // The remote nodes the connections send to, each named by its first
    // connection: one unreachable node is one fault, however many points.
    struct Destination {
        int node;
        std::string text;
    };

    void Add(std::string text) { out_.push_back({me_.file, std::move(text)}); }

    bool IsLocal(int node) const { return node == 0 || node == conf_.nodeNumber; }

    void CheckIdentity(std::size_t nameHolder)
    {
        const NetworkMember* first = net_.Find(conf_.nodeNumber);
        if (first != &me_)
            Add("node number " + std::to_string(conf_.nodeNumber) + " is already held by " + first->file);
        const NodeConf& named = net_.Members()[nameHolder].conf;
        if (FixedText(conf_.networkName) != FixedText(named.networkName))
            Add("network name " + Quoted(Cp1252ToUtf8(FixedText(conf_.networkName))) + " is not the network's " +
                Quoted(Cp1252ToUtf8(FixedText(named.networkName))) + " held by " +
                net_.Members()[nameHolder].file);
    }

    std::vector<Destination> RemoteDestinations() const
    {
        std::vector<Destination> found;
        std::vector<int> counts;
        for (int i = 0; i < Used(conf_.connectionCount, kMaxConnections); ++i) {
            const Connection& c = conf_.connections[i];
            if (IsLocal(c.destNode)) continue;
            const auto it = std::find_if(found.begin(), found.end(),
                                         [&](const Destination& d) { return d.node == c.destNode; });
            if (it != found.end()) {
                ++counts[it - found.begin()];
                continue;
            }
            found.push_back({c.destNode, ConnectionText(c)});
            counts.push_back(0);
        }
        for (std::size_t i = 0; i < found.size(); ++i)
            if (counts[i] > 0)
                found[i].text += " (and " + std::to_string(counts[i]) + " more to " + NodeText(found[i].node) + ")";
        return found;
    }

    void CheckRoutingNodes(const std::string& table, const RouteEntry* words, std::int32_t count)
    {
        for (int i = 0; i < Used(count, kMaxRoutes); ++i) {
            const Route r = ReadRoute(words[i]);
            const std::string entry = table + " " + Quoted(r.text) + ": ";
            // A range names a span of numbers, not nodes that must exist.
            if (r.first != 0 && r.last == r.first && !IsLocal(r.first) && !net_.Has(r.first))
                Add(entry + NodeText(r.first) + std::string(kNotInNetwork));
            if (r.via == Via::Repeater && !IsLocal(r.number) && !net_.Has(r.number))
                Add(entry + "repeater " + NodeText(r.number) + std::string(kNotInNetwork));
        }
    }

    // Follows the primary routes hop by hop from this node: the fault that
    // keeps the message from `node`, or none when it arrives.
    std::optional<std::string> FollowRoutes(int node) const
    {
        const std::string unreachable = NodeText(node) + " cannot be reached: ";
        std::vector<int> path{conf_.nodeNumber};
        const NetworkMember* at = &me_;
        for (;;) {
            const std::optional<Route> route = PrimaryRouteFor(at->conf, node);
            const std::string routes = at->file + " routes it " + (route ? Quoted(route->text) : "");
            int next = node;
            bool byRadio = true;
            switch (route ? route->via : Via::Direct) {
            case Via::Fail: return unreachable + routes;
            case Via::Repeater: next = route->number; break;
            case Via::Telephone:
                if (!HasDialupModem(at->conf)) return unreachable + routes + " but has no dialup modem";
                byRadio = false;
                break;
            case Via::LeasedLine:
                if (!HasLeasedLine(at->conf)) return unreachable + routes + " but has no leased-line modem";
                byRadio = false;
                break;
            case Via::Direct: break;
            }
            const NetworkMember* hop = net_.Find(next);
            // A repeater outside the network is the routing check's fault.
            if (!hop) return std::nullopt;
            if (byRadio && !HasRadio(at->conf)) {
                const std::string by = route ? " for its route " + Quoted(route->text) : "";
                return unreachable + at->file + " has no radio" + by;
            }
            if (byRadio && !HasRadio(hop->conf))
                return unreachable + at->file + " sends it by radio to " + hop->file + ", which has no radio";
            if (next == node) return std::nullopt;
            const bool visited = std::find(path.begin(), path.end(), next) != path.end();
            path.push_back(next);
            if (visited) {
                std::string nodes;
                for (std::size_t i = 0; i < path.size(); ++i) nodes += (i ? ", " : "") + std::to_string(path[i]);
                return "the route to " + NodeText(node) + " loops through nodes " + nodes + ": " + routes;
            }
            at = hop;
        }
    }

    // The fault of a reference to a telephone number slot, or none.
    template <std::size_t Slots, std::size_t Size>
    static std::optional<std::string> SlotFault(const char (&numbers)[Slots][Size], int position,
                                                const std::string& list)
    {
        const std::string named = list + " telephone number " + std::to_string(position);
        if (position < 1 || position > static_cast<int>(Slots)) return named + " does not exist";
        constexpr int kLength = static_cast<int>(Size) - 1;
        const int code = ValidateTelephoneNumber(FixedText(numbers[position - 1]), kLength, kLength);
        if (code == kTelephoneEmpty || code == kTelephoneOnlySpaces) return named + " is empty";
        return std::nullopt;
    }

    void CheckTelephoneRoutes(const std::string& table, const RouteEntry* words, std::int32_t count)
    {
        for (int i = 0; i < Used(count, kMaxRoutes); ++i) {
            const Route r = ReadRoute(words[i]);
            if (r.via != Via::Telephone) continue;
            if (auto fault = SlotFault(conf_.dialupNumbers, r.number, "dialup"))
                Add(table + " " + Quoted(r.text) + ": " + *fault);
        }
    }

    void CheckTelephoneReferences()
    {
        CheckTelephoneRoutes("primary route", conf_.primaryRoutes, conf_.primaryRouteCount);
        CheckTelephoneRoutes("secondary route", conf_.secondaryRoutes, conf_.secondaryRouteCount);
        for (int i = 0; i < Used(conf_.smsConnectionCount, kMaxSmsConnections); ++i) {
            const SmsConnection& a = conf_.smsConnections[i];
            if (auto fault = SlotFault(conf_.smsNumbers, a.telephone, "SMS")) Add(AlertText(a, i + 1) + ": " + *fault);
        }
        for (int i = 0; i < Used(conf_.dialupConnectionCount, kMaxDialupConnections); ++i) {
            const DialupConnection& d = conf_.dialupConnections[i];
            // 0: a secondary, which dials through its primary.
            if (d.telephone != 0 && d.telephone != kDialLeasedLine)
                if (auto fault = SlotFault(conf_.dialupNumbers, d.telephone, "dialup"))
                    Add(DialupText(d) + ": " + *fault);
            if (d.remoteNode != 0 && !IsLocal(d.remoteNode) && !net_.Has(d.remoteNode))
                Add(DialupText(d) + ": " + NodeText(d.remoteNode) + std::string(kNotInNetwork));
        }
    }

    const Network& net_;
    const NetworkMember& me_;
    const NodeConf& conf_;
    std::vector<NetworkFinding>& out_;
};

} // namespace

std::vector<NetworkFinding> CheckNetwork(const std::vector<NetworkMember>& members)
{
    std::vector<NetworkFinding> findings;
    if (members.empty()) return findings;
    const Network net(members);
    const std::size_t nameHolder = NetworkNameHolder(members);
    for (std::size_t i = 0; i < members.size(); ++i) MemberCheck(net, i, findings).Run(nameHolder);
    return findings;
}

} // namespace mnm
