#include "fleet/ProvisionTable.h"

#include "nodeconf/CsvText.h"
#include "editor/model/Transfer.h"
#include "nodeconf/ErrorCatalogue.h"
#include "nodeconf/TextEncoding.h"
#include "records/RecordFields.h"
#include "records/RecordJson.h"
#include "records/StoredValues.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <map>
#include <optional>
#include <utility>

namespace mnm {

namespace {

using Json = nlohmann::ordered_json;

constexpr std::string_view kNodeNumberKey = "nodeNumber";
constexpr std::string_view kNetworkNameKey = "networkName";

std::string At(int row) { return "row " + std::to_string(row); }
std::string At(int row, std::string_view column)
{
    return column.empty() ? At(row) : At(row) + ", column " + std::string(column);
}

// A column of the header; `field` is null for a refused column, whose cells
// are passed over so that the rows' own faults are still found.
struct Column {
    std::string name;
    const FieldSpec* field = nullptr;
};

const FieldSpec* TopLevelField(std::string_view key)
{
    for (const FieldSpec& f : RecordFieldList())
        if (key == f.key) return &f;
    return nullptr;
}

// Why a key cannot be a column, or null when it can: only the single values
// can be given in one cell, and counts and derived keys are recomputed anyway.
const char* RefusalOf(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Letter:
    case FieldKind::Unsigned:
    case FieldKind::Signed:
    case FieldKind::Optional:
    case FieldKind::Text: return nullptr;
    case FieldKind::Count: return "a table's count, recomputed from the table; it cannot be a column";
    case FieldKind::Derived: return "computed from other keys; it cannot be a column";
    case FieldKind::Bytes:
    case FieldKind::Entries:
    case FieldKind::Words:
    case FieldKind::Texts: return "a table of values; it cannot be a column";
    }
    return "cannot be a column";
}

std::vector<Column> ReadHeader(const CsvRecord& header, std::vector<std::string>& errors)
{
    std::vector<Column> columns;
    std::map<std::string, std::size_t, std::less<>> seen; // name -> first column number
    for (std::size_t i = 0; i < header.cells.size(); ++i) {
        const std::string& name = header.cells[i];
        const std::size_t number = i + 1;
        Column column{name, nullptr};
        if (name.empty()) {
            errors.push_back(At(header.row, std::to_string(number)) + ": the column has no name");
        } else if (auto [first, added] = seen.emplace(name, number); !added) {
            errors.push_back(At(header.row, name) + ": repeated (first as column " + std::to_string(first->second) +
                             ")");
        } else if (const FieldSpec* field = TopLevelField(name); field == nullptr) {
            errors.push_back(At(header.row, name) + ": not a key of the configuration");
        } else if (const char* refusal = RefusalOf(field->kind)) {
            errors.push_back(At(header.row, name) + ": " + refusal);
        } else {
            column.field = field;
        }
        columns.push_back(std::move(column));
    }
    if (!seen.contains(kNodeNumberKey))
        errors.push_back(At(header.row) + ": no " + std::string(kNodeNumberKey) + " column");
    return columns;
}

bool IsNumeric(FieldKind kind)
{
    return kind == FieldKind::Unsigned || kind == FieldKind::Signed || kind == FieldKind::Optional;
}

// A non-empty cell as its JSON value, or the reason it is none. Ranges are
// left to the record reader, so each lives in one place.
std::optional<Json> CellValue(const std::string& cell, const FieldSpec& field, std::string& why)
{
    if (!IsNumeric(field.kind)) return Json(cell);
    if (cell == kAbsentCell) {
        if (field.kind == FieldKind::Optional) return Json(nullptr);
        why = "cannot be absent";
        return std::nullopt;
    }
    std::int64_t value = 0;
    const char* end = cell.data() + cell.size();
    const auto [stop, fault] = std::from_chars(cell.data(), end, value);
    if (fault == std::errc::result_out_of_range && stop == end) {
        why = "out of range";
        return std::nullopt;
    }
    if (fault != std::errc() || stop != end) {
        why = "not a decimal integer";
        return std::nullopt;
    }
    return Json(value);
}

// Which node a row is, to find the same node twice.
using NodeKey = std::pair<std::string, std::int64_t>;

struct BuiltRow {
    std::optional<NodeConf> conf;   // set when the row is good
    std::optional<NodeKey> node;    // set when the row's network and node number are known
};

// The whole-configuration check names no field: the column whose value
// alone, on the template, fails it the same way is the one to name; none
// when only the values together fail.
std::string CulpritColumn(const Json& row, const Json& templ, const std::vector<std::string>& given,
                          const Report& failure)
{
    for (const std::string& key : given) {
        Json alone = templ;
        alone[key] = row[key];
        NodeConf conf;
        std::string error;
        if (JsonToRecord(alone, conf, error) && editor::VerifyRecord(conf).code == failure.code) return key;
    }
    return {};
}

BuiltRow BuildRow(const CsvRecord& record, const std::vector<Column>& columns, const Json& templ,
                  std::vector<std::string>& errors)
{
    const std::size_t faultsBefore = errors.size();
    Json json = templ;
    std::vector<std::string> given; // the keys the row's cells set
    bool nodeKnown = true;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const Column& column = columns[i];
        const std::string& cell = record.cells[i];
        if (column.field == nullptr || cell.empty()) continue;
        std::string why;
        if (std::optional<Json> value = CellValue(cell, *column.field, why)) {
            json[column.name] = std::move(*value);
            given.push_back(column.name);
        } else {
            errors.push_back(At(record.row, column.name) + ": " + why);
            if (column.name == kNodeNumberKey || column.name == kNetworkNameKey) nodeKnown = false;
        }
    }

    // The reader stops at its first fault: each fault found puts the
    // template's value back under that key, so the next run finds the next.
    NodeConf conf;
    std::string error;
    while (!JsonToRecord(json, conf, error)) {
        const std::string key = error.substr(0, error.find(':'));
        const auto cell = std::find(given.begin(), given.end(), key);
        if (cell == given.end()) {
            errors.push_back(At(record.row) + ": " + error);
            return {};
        }
        errors.push_back(At(record.row) + ", column " + error);
        json[key] = templ[key];
        given.erase(cell);
        if (key == kNodeNumberKey || key == kNetworkNameKey) nodeKnown = false;
    }

    BuiltRow built;
    if (nodeKnown)
        built.node = NodeKey{json[std::string(kNetworkNameKey)].get<std::string>(),
                             json[std::string(kNodeNumberKey)].get<std::int64_t>()};
    if (errors.size() != faultsBefore) return built;

    NodeConf stored;
    if (const Report report = editor::VerifyRecord(conf, &stored); !report.ok()) {
        const std::string column = CulpritColumn(json, templ, given, report);
        errors.push_back(At(record.row, column) + ": " + SingleLine(Cp1252ToUtf8(MessageOf(report))));
        return built;
    }
    // The store may fit a value to the node (a name cut to its length, an
    // unknown letter replaced): a cell must reach the node as written, or
    // the table says something the node will not hold.
    for (const StoredOtherwise& change : ValuesStoredOtherwise(json, stored, given))
        errors.push_back(At(record.row) + ", column " + StoredOtherwiseText(change));
    if (errors.size() != faultsBefore) return built;
    built.conf = stored;
    return built;
}

} // namespace

bool BuildProvisionRows(std::string_view csv, const NodeConf& templ, std::vector<ProvisionRow>& rows,
                        std::vector<std::string>& errors)
{
    rows.clear();
    errors.clear();
    std::vector<CsvRecord> records;
    CsvFault fault;
    if (!SplitCsv(csv, records, fault)) {
        errors.push_back(At(fault.row) + ": " + fault.reason);
        return false;
    }
    std::erase_if(records, [](const CsvRecord& r) { return r.IsBlank(); });
    if (records.empty()) {
        errors.push_back("the table is empty: it has no header row");
        return false;
    }
    if (records.size() == 1) errors.push_back("the table has no rows below its header");

    const std::vector<Column> columns = ReadHeader(records.front(), errors);
    const Json templJson = RecordToJson(templ);
    std::map<NodeKey, int> firstRowOf;
    for (auto record = records.begin() + 1; record != records.end(); ++record) {
        if (record->cells.size() != columns.size()) {
            errors.push_back(At(record->row) + ": " + std::to_string(record->cells.size()) +
                             " cells where the header has " + std::to_string(columns.size()) + " columns");
            continue;
        }
        BuiltRow built = BuildRow(*record, columns, templJson, errors);
        if (built.node) {
            const auto [first, added] = firstRowOf.emplace(*built.node, record->row);
            if (!added) {
                errors.push_back(At(record->row, kNodeNumberKey) + ": node " + std::to_string(built.node->second) +
                                 " is also on row " + std::to_string(first->second));
                continue;
            }
        }
        if (built.conf) rows.push_back(ProvisionRow{record->row, *built.conf});
    }
    if (!errors.empty()) rows.clear();
    return errors.empty();
}

} // namespace mnm
