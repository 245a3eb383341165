// Any text given to the JSON reader of `mnm build` must either be refused with
// a message or give a record that is safe to use and that writes back to the
// same JSON.
#include "cli/RecordJson.h"
#include "editor/model/Transfer.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void Check(bool ok)
{
    if (!ok) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    const auto json = nlohmann::ordered_json::parse(data, data + size, nullptr, false);
    if (json.is_discarded()) return 0;
    mnm::NodeConf conf;
    std::string error;
    if (!mnm::cli::JsonToRecord(json, conf, error)) {
        Check(!error.empty());
        return 0;
    }
    Check(conf.connectionCount >= 0 && conf.connectionCount <= mnm::kMaxConnections);
    Check(conf.primaryRouteCount >= 0 && conf.primaryRouteCount <= mnm::kMaxRoutes);
    Check(conf.secondaryRouteCount >= 0 && conf.secondaryRouteCount <= mnm::kMaxRoutes);
    Check(conf.smsConnectionCount >= 0 && conf.smsConnectionCount <= mnm::kMaxSmsConnections);
    Check(conf.dialupConnectionCount >= 0 && conf.dialupConnectionCount <= mnm::kMaxDialupConnections);
    Check(std::memchr(conf.networkName, 0, sizeof conf.networkName) != nullptr);

    mnm::NodeConf again;
    Check(mnm::cli::JsonToRecord(mnm::cli::RecordToJson(conf), again, error));
    Check(std::memcmp(&conf, &again, sizeof conf) == 0);

    // The check that follows must cope with whatever the reader let through.
    mnm::editor::VerifyRecord(conf);
    return 0;
}
