#include "records/RecordDiff.h"

#include "records/RecordFields.h"
#include "records/RecordJson.h"

#include "editor/model/AlertList.h"
#include "editor/model/AlertRow.h"
#include "editor/model/ConnectionList.h"
#include "editor/model/ConnectionRow.h"
#include "editor/model/DialupList.h"
#include "editor/model/DialupRow.h"
#include "editor/model/RoutingList.h"
#include "editor/model/TabFields.h"
#include "nodeconf/Duration.h"
#include "nodeconf/NumberText.h"
#include "nodeconf/TextEncoding.h"

#include <cctype>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <span>

namespace mnm {

namespace {

using Json = nlohmann::ordered_json;

constexpr const char* kAbsentText = "(absent)"; // as `dump` writes an absent optional field
constexpr const char* kNotSetText = "(none)";   // an alert limit or a dialup interval not given
constexpr const char* kMinuteUnit = "m";        // the editor's bare number of a duration
constexpr const char* kRepeatMark = " #";       // the second and later entries of one key
constexpr int kFirstRepeat = 2;
constexpr int kFirstSlot = 1; // alerts and dialup connections count text slots from 1
constexpr int kHexDigitsPerByte = 2;

// How a field's number is written where plain decimal would not be the
// operator's notation.
enum class Notation { Plain, Hex, Duration, AlertValue, DialupInterval };

struct FieldNotation {
    std::span<const FieldSpec> (*table)();
    std::size_t offset;
    Notation notation;
};

// Fields are named by their table and offset, so the keys stay written once.
const FieldNotation kNotations[] = {
    {RecordFieldList, offsetof(NodeConf, networkFlags), Notation::Hex},
    {RecordFieldList, offsetof(NodeConf, transmitInterval), Notation::Duration},
    {RecordFieldList, offsetof(NodeConf, alarmDelay), Notation::Duration},
    {ConnectionFields, offsetof(Connection, connFlags), Notation::Hex},
    {SmsConnectionFields, offsetof(SmsConnection, limit), Notation::AlertValue},
    {SmsConnectionFields, offsetof(SmsConnection, hysteresis), Notation::AlertValue},
    {DialupConnectionFields, offsetof(DialupConnection, flags), Notation::Hex},
    {DialupConnectionFields, offsetof(DialupConnection, interval), Notation::DialupInterval},
};

Notation NotationOf(std::span<const FieldSpec> table, const FieldSpec& f)
{
    for (const FieldNotation& n : kNotations)
        if (n.table().data() == table.data() && n.offset == f.offset) return n.notation;
    return Notation::Plain;
}

template <typename T>
T EntryAt(const unsigned char* at)
{
    T entry;
    std::memcpy(&entry, at, sizeof entry);
    return entry;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

char KindLetter(char kind)
{
    return kind ? static_cast<char>(std::toupper(static_cast<unsigned char>(kind))) : '?';
}

bool IsOutputKind(char kind) { return std::isupper(static_cast<unsigned char>(kind)) != 0; }

// An endpoint as the pages write it: "D1.2", with its node in front ("12D1.2").
std::string Point(char kind, int card, int channel, int node = 0)
{
    return (node != 0 ? std::to_string(node) : "") + KindLetter(kind) + std::to_string(card) + "." +
           std::to_string(channel);
}

std::string Hex(std::uint64_t value, std::size_t bytes)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%0*llX", static_cast<int>(bytes) * kHexDigitsPerByte,
                  static_cast<unsigned long long>(value));
    return text;
}

// A value of the JSON form in the operator's notation; `entry` is the raw
// record or table entry holding the field.
std::string Show(const FieldSpec& f, Notation notation, const Json& v, const unsigned char* entry)
{
    if (v.is_null()) return kAbsentText;
    if (v.is_string()) return Quoted(v.get<std::string>());
    if (!v.is_number_integer()) return v.dump();
    const std::int64_t value = v.get<std::int64_t>();
    switch (notation) {
    case Notation::Hex: return Hex(static_cast<std::uint64_t>(value), f.size);
    case Notation::Duration: {
        if (value < 0) return std::to_string(value);
        // The editor's bare number means minutes; outside the editor the unit is said.
        std::string text = FormatDuration(static_cast<std::uint32_t>(value));
        if (IsAllDigits(text)) text += kMinuteUnit;
        return text;
    }
    case Notation::AlertValue:
        return value == kSmsNone ? kNotSetText
                                 : editor::AlertValueText(static_cast<int>(value), EntryAt<SmsConnection>(entry).unit);
    case Notation::DialupInterval: return value == 0 ? kNotSetText : editor::DialupIntervalText(static_cast<int>(value));
    case Notation::Plain: break;
    }
    return v.dump();
}

// A list line with its columns run together, for the rare line its page
// cannot say in words.
std::string Untabbed(std::string line)
{
    for (char& c : line)
        if (c == '\t') c = ' ';
    return line;
}

// --- How each table names and shows its entries -------------------------

std::string ConnectionKey(const unsigned char* at)
{
    const auto c = EntryAt<Connection>(at);
    return Point(c.originKind, c.originCard, c.originChannel, c.originNode) + " to " +
           Point(c.destKind, c.destCard, c.destChannel, c.destNode);
}

std::string ConnectionText(const unsigned char* at)
{
    const std::string line = editor::ConnectionLine(EntryAt<Connection>(at));
    const std::string spoken = editor::SpokenConnectionRow(line);
    return spoken.empty() ? Untabbed(line) : spoken;
}

std::string RouteKey(const unsigned char* at)
{
    const auto w = EntryAt<RouteEntry>(at);
    const int first = editor::RouteDestination(w);
    const int last = editor::RouteRangeEnd(w);
    if (first == 0) return "Any";
    return last == first ? std::to_string(first) : std::to_string(first) + ".." + std::to_string(last);
}

// The routing page's line with its pictures in words and the metric named:
// "5 by repeater 7", "[Any] [Direct]", "5 .. 9 by telephone 3, metric 2".
std::string RouteText(const unsigned char* at)
{
    const auto w = EntryAt<RouteEntry>(at);
    std::vector<std::string> fields;
    for (const std::string& field : editor::SplitTabs(editor::ShownRoutingLine(editor::RoutingLine(w)))) {
        if (field.empty()) continue;
        const std::string word = editor::RoutingIconWord(field);
        fields.push_back(word.empty() ? field : word);
    }
    std::string metric;
    if (editor::RouteHasMetric(w) && !fields.empty()) {
        metric = fields.back();
        fields.pop_back();
    }
    std::string text;
    for (const std::string& field : fields) text += (text.empty() ? "" : " ") + field;
    return metric.empty() ? text : text + ", metric " + metric;
}

std::string AlertKey(const unsigned char* at)
{
    const auto a = EntryAt<SmsConnection>(at);
    return (IsOutputKind(a.kind) ? "Output " : "Input ") + Point(a.kind, a.card, a.channel);
}

std::string AlertText(const unsigned char* at)
{
    const std::string line = editor::AlertLine(EntryAt<SmsConnection>(at));
    const std::string spoken = editor::SpokenAlertRow(line);
    return spoken.empty() ? Untabbed(line) : spoken;
}

std::string DialupKey(const unsigned char* at)
{
    const auto d = EntryAt<DialupConnection>(at);
    std::string key = (d.flags & kDialSecondary) ? "Secondary " : "";
    key += (IsOutputKind(d.localKind) ? "Output " : "Input ") + Point(d.localKind, d.localCard, d.localChannel) +
           " to " + Point(d.remoteKind, d.remoteCard, d.remoteChannel, d.remoteNode);
    if (d.telephone == kDialLeasedLine) key += " by leased line";
    else if (d.telephone != 0) key += " by telephone " + std::to_string(d.telephone);
    return key;
}

std::string DialupText(const unsigned char* at) { return editor::SpokenDialupRow(EntryAt<DialupConnection>(at)); }

struct TableView {
    std::size_t offset; // of the table in the record
    std::string (*key)(const unsigned char* entry);
    std::string (*text)(const unsigned char* entry);
};

const TableView kTableViews[] = {
    {offsetof(NodeConf, connections), ConnectionKey, ConnectionText},
    {offsetof(NodeConf, primaryRoutes), RouteKey, RouteText},
    {offsetof(NodeConf, secondaryRoutes), RouteKey, RouteText},
    {offsetof(NodeConf, smsConnections), AlertKey, AlertText},
    {offsetof(NodeConf, dialupConnections), DialupKey, DialupText},
};

const TableView* ViewOf(const FieldSpec& table)
{
    for (const TableView& v : kTableViews)
        if (v.offset == table.offset) return &v;
    return nullptr;
}

// --- The walk ----------------------------------------------------------------

struct Side {
    const unsigned char* record;
    Json json;

    const unsigned char* Entry(const FieldSpec& table, std::size_t i) const
    {
        return record + table.offset + i * table.size;
    }
};

class Differ {
public:
    Differ(const NodeConf& a, const NodeConf& b)
        : a_{reinterpret_cast<const unsigned char*>(&a), RecordToJson(a)},
          b_{reinterpret_cast<const unsigned char*>(&b), RecordToJson(b)}
    {
    }

    std::vector<FieldDifference> Run()
    {
        const std::span<const FieldSpec> fields = RecordFieldList();
        for (const FieldSpec& f : fields) {
            switch (f.kind) {
            case FieldKind::Count:
            case FieldKind::Derived: break;
            case FieldKind::Texts: Slots(f); break;
            case FieldKind::Entries:
            case FieldKind::Words: Table(f); break;
            default: Field(f.key, fields, f, a_.json[f.key], b_.json[f.key], a_.record, b_.record); break;
            }
        }
        return std::move(out_);
    }

private:
    void Field(const std::string& path, std::span<const FieldSpec> table, const FieldSpec& f, const Json& va,
               const Json& vb, const unsigned char* entryA, const unsigned char* entryB)
    {
        if (va == vb) return;
        const Notation notation = NotationOf(table, f);
        out_.push_back({path, Show(f, notation, va, entryA), Show(f, notation, vb, entryB)});
    }

    void Slots(const FieldSpec& f)
    {
        const Json& ta = a_.json[f.key];
        const Json& tb = b_.json[f.key];
        for (std::size_t i = 0; i < f.capacity; ++i)
            if (ta[i] != tb[i])
                out_.push_back({std::string(f.key) + "[" + std::to_string(i + kFirstSlot) + "]",
                                Quoted(ta[i].get<std::string>()), Quoted(tb[i].get<std::string>())});
    }

    // Each entry's key as its page names it. Keys and texts are made of the
    // record's own bytes (a kind letter, a message), which are Windows-1252
    // like every text of the record.
    static std::vector<std::string> BaseKeys(const FieldSpec& f, const TableView* view, const Side& side)
    {
        std::vector<std::string> keys;
        for (std::size_t i = 0; i < side.json[f.key].size(); ++i)
            keys.push_back(view ? Cp1252ToUtf8(view->key(side.Entry(f, i))) : std::to_string(i + 1));
        return keys;
    }

    static std::string Repeat(const std::string& base, int repeat)
    {
        return repeat >= kFirstRepeat ? base + kRepeatMark + std::to_string(repeat) : base;
    }

    // A's keys made unique by their repeat numbers, in order.
    static std::vector<std::string> KeysOfA(const std::vector<std::string>& bases)
    {
        std::vector<std::string> keys;
        std::map<std::string, int> seen;
        for (const std::string& base : bases) keys.push_back(Repeat(base, ++seen[base]));
        return keys;
    }

    // B's entries take the keys of A's entries with the same key: an equal
    // entry first, then the others in order, so that a second alert put on
    // an input in front of the first is one new entry and not a changed one
    // and a new one. B's entries left over are numbered on after A's.
    std::vector<std::string> KeysOfB(const FieldSpec& f, const std::vector<std::string>& basesA,
                                     const std::vector<std::string>& keysA, const std::vector<std::string>& basesB)
    {
        std::map<std::string, std::vector<std::size_t>> inA; // base key -> A's entries, in order
        for (std::size_t i = 0; i < basesA.size(); ++i) inA[basesA[i]].push_back(i);
        std::vector<bool> taken(basesA.size());
        std::vector<std::optional<std::string>> keys(basesB.size());
        const auto take = [&](std::size_t j, const auto& fits) {
            for (std::size_t i : inA[basesB[j]])
                if (!taken[i] && fits(i)) {
                    taken[i] = true;
                    keys[j] = keysA[i];
                    return;
                }
        };
        for (std::size_t j = 0; j < basesB.size(); ++j)
            take(j, [&](std::size_t i) { return a_.json[f.key][i] == b_.json[f.key][j]; });
        for (std::size_t j = 0; j < basesB.size(); ++j)
            if (!keys[j]) take(j, [](std::size_t) { return true; });
        std::map<std::string, int> numbered;
        std::vector<std::string> result;
        for (std::size_t j = 0; j < basesB.size(); ++j) {
            const std::string& base = basesB[j];
            if (!numbered.contains(base)) numbered[base] = static_cast<int>(inA[base].size());
            result.push_back(keys[j] ? *keys[j] : Repeat(base, ++numbered[base]));
        }
        return result;
    }

    static std::string EntryText(const FieldSpec& f, const TableView* view, const Side& side, std::size_t i)
    {
        return view ? Cp1252ToUtf8(view->text(side.Entry(f, i))) : side.json[f.key][i].dump();
    }

    void Table(const FieldSpec& f)
    {
        const TableView* view = ViewOf(f);
        const std::vector<std::string> basesA = BaseKeys(f, view, a_);
        const std::vector<std::string> keysA = KeysOfA(basesA);
        const std::vector<std::string> keysB = KeysOfB(f, basesA, keysA, BaseKeys(f, view, b_));
        std::map<std::string, std::size_t> inA, inB;
        for (std::size_t i = 0; i < keysA.size(); ++i) inA[keysA[i]] = i;
        for (std::size_t j = 0; j < keysB.size(); ++j) inB[keysB[j]] = j;

        // B's own entries fall after the entry of A that comes before them
        // in B; they are listed after A's entries that B lacks there, so a
        // replaced entry reads as the old one going and the new one coming.
        std::vector<std::vector<std::size_t>> bOnlyAfter(keysA.size() + 1);
        std::size_t slot = 0; // 0: before A's first entry; i + 1: after A's entry i
        for (std::size_t j = 0; j < keysB.size(); ++j) {
            const auto match = inA.find(keysB[j]);
            if (match != inA.end()) slot = match->second + 1;
            else bOnlyAfter[slot].push_back(j);
        }

        const auto path = [&](const std::string& key) { return std::string(f.key) + "[" + key + "]"; };
        std::size_t flushed = 0; // slots below this are listed
        const auto onlyInB = [&](std::size_t upTo) {
            for (; flushed <= upTo && flushed < bOnlyAfter.size(); ++flushed)
                for (std::size_t j : bOnlyAfter[flushed])
                    out_.push_back({path(keysB[j]), std::nullopt, EntryText(f, view, b_, j)});
        };
        for (std::size_t i = 0; i < keysA.size(); ++i) {
            const auto match = inB.find(keysA[i]);
            if (match == inB.end()) {
                out_.push_back({path(keysA[i]), EntryText(f, view, a_, i), std::nullopt});
                continue;
            }
            onlyInB(i);
            Pair(f, view, path(keysA[i]), i, match->second);
        }
        onlyInB(keysA.size());
        Order(f, keysA, keysB, inA, inB);
    }

    // The node works through its routes, alerts and dialup connections in
    // order: the same entries in another order are a difference too, said
    // once for the table. Connections are not: the editor keeps them in its
    // own order and the send writes them in another.
    void Order(const FieldSpec& f, const std::vector<std::string>& keysA, const std::vector<std::string>& keysB,
               const std::map<std::string, std::size_t>& inA, const std::map<std::string, std::size_t>& inB)
    {
        if (f.offset == offsetof(NodeConf, connections)) return;
        std::vector<std::string> sharedA, sharedB;
        for (const std::string& key : keysA)
            if (inB.count(key) != 0) sharedA.push_back(key);
        for (const std::string& key : keysB)
            if (inA.count(key) != 0) sharedB.push_back(key);
        if (sharedA == sharedB) return;
        out_.push_back({std::string(f.key), KeyList(keysA), KeyList(keysB)});
    }

    static std::string KeyList(const std::vector<std::string>& keys)
    {
        std::string text;
        for (const std::string& key : keys) text += (text.empty() ? "" : ", ") + key;
        return text;
    }

    void Pair(const FieldSpec& f, const TableView* view, const std::string& path, std::size_t i, std::size_t j)
    {
        const Json& ea = a_.json[f.key][i];
        const Json& eb = b_.json[f.key][j];
        if (f.kind == FieldKind::Words) {
            if (ea == eb) return;
            std::string ta = EntryText(f, view, a_, i), tb = EntryText(f, view, b_, j);
            // Bits the page does not show still make a difference.
            if (ta == tb) {
                ta += " (" + Hex(ea.get<std::uint64_t>(), f.size) + ")";
                tb += " (" + Hex(eb.get<std::uint64_t>(), f.size) + ")";
            }
            out_.push_back({path, std::move(ta), std::move(tb)});
            return;
        }
        const std::span<const FieldSpec> fields = f.entryFields();
        for (const FieldSpec& field : fields)
            Field(path + "." + field.key, fields, field, ea[field.key], eb[field.key], a_.Entry(f, i), b_.Entry(f, j));
    }

    Side a_, b_;
    std::vector<FieldDifference> out_;
};

std::string OrNoEntry(const std::optional<std::string>& value) { return value ? *value : kNoEntryText; }

} // namespace

std::vector<FieldDifference> DiffRecords(const NodeConf& a, const NodeConf& b) { return Differ(a, b).Run(); }

std::string DifferenceText(const FieldDifference& d)
{
    return d.path + ": " + OrNoEntry(d.a) + " -> " + OrNoEntry(d.b);
}

Json DifferencesToJson(const std::vector<FieldDifference>& diffs)
{
    Json list = Json::array();
    for (const FieldDifference& d : diffs) {
        Json item = Json::object();
        item["path"] = d.path;
        item["a"] = d.a ? Json(*d.a) : Json(nullptr);
        item["b"] = d.b ? Json(*d.b) : Json(nullptr);
        list.push_back(std::move(item));
    }
    return list;
}

} // namespace mnm
