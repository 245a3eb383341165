// Any text given to the JSON reader of `mnm build` must either be refused with
// a message or give a record that is safe to use and that writes back to the
// same JSON.
#include "records/RecordJson.h"
#include "editor/model/Transfer.h"
#include "tests/fuzz/RecordChecks.h"

#include <cstdlib>
#include <cstring>
#include <string>

using fuzz::Check;
using fuzz::CheckRecordIsSafe;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    const auto json = nlohmann::ordered_json::parse(data, data + size, nullptr, false);
    if (json.is_discarded()) return 0;
    mnm::NodeConf conf;
    std::string error;
    if (!mnm::JsonToRecord(json, conf, error)) {
        Check(!error.empty());
        return 0;
    }
    CheckRecordIsSafe(conf);

    mnm::NodeConf again;
    Check(mnm::JsonToRecord(mnm::RecordToJson(conf), again, error));
    Check(std::memcmp(&conf, &again, sizeof conf) == 0);

    // The check that follows must cope with whatever the reader let through.
    mnm::editor::VerifyRecord(conf);
    return 0;
}
