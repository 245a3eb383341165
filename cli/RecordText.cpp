#include "cli/RecordText.h"

#include "records/RecordJson.h"

#include <cstdio>

namespace mnm::cli {

namespace {

using Json = nlohmann::ordered_json;

std::string Scalar(const std::string& key, const Json& v)
{
    if (v.is_null()) return "(absent)";
    if (v.is_string()) return "\"" + v.get<std::string>() + "\"";
    // Flag words and route entries read best in hexadecimal.
    if (v.is_number_unsigned() && (key == "networkFlags" || key == "flags" || key.ends_with("Routes"))) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "0x%08llX", static_cast<unsigned long long>(v.get<std::uint64_t>()));
        return hex;
    }
    return v.dump();
}

} // namespace

std::string RecordToText(const NodeConf& conf)
{
    std::string out;
    const Json record = RecordToJson(conf);
    for (const auto& [key, value] : record.items()) {
        if (!value.is_array() || key == "reserved") {
            out += key + ": " + Scalar(key, value) + "\n";
            continue;
        }
        out += key + ": " + std::to_string(value.size()) + (value.size() == 1 ? " entry\n" : " entries\n");
        std::size_t n = 0;
        for (const Json& entry : value) {
            out += "  " + std::to_string(++n) + ":";
            if (entry.is_object()) {
                for (const auto& [field, v] : entry.items()) out += " " + field + "=" + Scalar(field, v);
            } else {
                out += " " + Scalar(key, entry);
            }
            out += "\n";
        }
    }
    return out;
}

} // namespace mnm::cli
