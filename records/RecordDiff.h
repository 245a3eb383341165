// Every field that differs between two records, named as `dump --json` names
// it and shown as the operator writes it. Shared by the diff command, the
// send check and the window's comparison report.
//
// Paths:
//   a plain field            its key: "transmitInterval"
//   a slot of a text table   key[N], N counted from 1 as alerts and dialup
//                            connections name it: "smsNumbers[3]"
//   a table entry            key[ENTRY]; a field of an entry held on both
//                            sides adds ".field": "connections[D1.1 to D2.1].changeThreshold"
// ENTRY is what tells entries apart on their page, upper-case kind letters
// ('?' for none) with a node number in front when it is not 0:
//   connections         input " to " output                "D1.1 to 12A2.1"
//   primaryRoutes,      the destination, or its range      "5", "5..9", "Any"
//   secondaryRoutes
//   smsConnections      the watched endpoint               "Input D1.2", "Output A3.1"
//   dialupConnections   local " to " remote, then the line "Input D1.2 to 5A3.1 by telephone 2",
//                       it uses, "Secondary " in front     "Secondary Output D2.1 to 5D1.1 by leased line"
//                       for a secondary connection
// A key held by several entries on one side names its second and later
// entries with " #2", " #3", ... so that every path is unique; they pair with
// the entries of the same key on the other side in order.
#pragma once

#include "nodeconf/NodeConf.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <vector>

namespace mnm {

struct FieldDifference {
    std::string path;
    std::optional<std::string> a; // the value in A (UTF-8); nullopt: A has no such entry
    std::optional<std::string> b;

    bool operator==(const FieldDifference&) const = default;
};

// In record order; within a table, A's order with B's own entries where they
// fall in B. Counts and derived fields are left out: their entries speak for
// them. Equal records give an empty list.
std::vector<FieldDifference> DiffRecords(const NodeConf& a, const NodeConf& b);

// "PATH: A -> B" on one line, a missing entry written as kNoEntryText.
inline constexpr const char* kNoEntryText = "(no entry)";
std::string DifferenceText(const FieldDifference& d);

// [{"path": ..., "a": ..., "b": ...}], null for a missing entry.
nlohmann::ordered_json DifferencesToJson(const std::vector<FieldDifference>& diffs);

} // namespace mnm
