#include "records/StoredValues.h"

#include "records/RecordFields.h"
#include "records/RecordJson.h"

namespace mnm {

namespace {

using Json = nlohmann::ordered_json;

// A text that is no UTF-8 is shown with replacement characters rather than
// failing.
std::string Shown(const Json& value) { return value.dump(-1, ' ', false, Json::error_handler_t::replace); }

} // namespace

bool IsSingleValueField(const std::string& key)
{
    for (const FieldSpec& f : RecordFieldList()) {
        if (key != f.key) continue;
        switch (f.kind) {
        case FieldKind::Letter:
        case FieldKind::Unsigned:
        case FieldKind::Signed:
        case FieldKind::Optional:
        case FieldKind::Text: return true;
        default: return false;
        }
    }
    return false;
}

std::vector<StoredOtherwise> ValuesStoredOtherwise(const Json& given, const NodeConf& stored,
                                                   const std::vector<std::string>& keys)
{
    const Json kept = RecordToJson(stored);
    std::vector<StoredOtherwise> changes;
    for (const std::string& key : keys) {
        if (!IsSingleValueField(key) || !given.contains(key) || !kept.contains(key)) continue;
        if (given[key] != kept[key]) changes.push_back({key, Shown(given[key]), Shown(kept[key])});
    }
    return changes;
}

std::string StoredOtherwiseText(const StoredOtherwise& change)
{
    return change.key + ": " + change.given + " would be stored as " + change.stored;
}

} // namespace mnm
