// Which values a record keeps otherwise once stored: the store fits some
// values to the node (a name cut to the length the node keeps, a letter it
// does not know replaced), and a value given on purpose must not change
// without a word.
#pragma once

#include "nodeconf/NodeConf.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace mnm {

struct StoredOtherwise {
    std::string key;
    std::string given;  // as JSON writes it
    std::string stored; // as JSON writes it
};

// True for a field that holds one value (a number, a letter, a text), as
// opposed to a table, a count or a derived field.
bool IsSingleValueField(const std::string& key);

// The fields among `keys` whose value in `given` (the record's JSON, as
// RecordToJson writes it) differs from what `stored` holds; keys that are no
// single-value field are passed over.
std::vector<StoredOtherwise> ValuesStoredOtherwise(const nlohmann::ordered_json& given, const NodeConf& stored,
                                                   const std::vector<std::string>& keys);

// "KEY: GIVEN would be stored as STORED".
std::string StoredOtherwiseText(const StoredOtherwise& change);

} // namespace mnm
