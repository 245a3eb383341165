// Any bytes given to the file reader must leave a record that is safe to use:
// counts within their tables, every text terminated inside its array.
#include "nodeconf/ConfigFile.h"
#include "nodeconf/ResultCodes.h"
#include "tests/fuzz/RecordChecks.h"

#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

using fuzz::Check;
using fuzz::CheckRecordIsSafe;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size), std::ios::binary);
    mnm::NodeConf conf;
    const mnm::Report report = mnm::LoadFromFile(conf, in);
    const int rc = report.code;
    // A catalogue code without text, or a fault inside the body with its own
    // number and the text that names it.
    const bool catalogue = rc == mnm::kNoErrors || rc == mnm::kMissingSignature || rc == mnm::kIncorrectSignature ||
                           rc == mnm::kFileIncomplete || rc == mnm::kUnexpectedEndOfFile;
    Check(catalogue != report.text.has_value());
    if (report.text) Check(rc != 0 && *report.text == "Error " + std::to_string(rc) + " whilst loading .MNC file.");
    CheckRecordIsSafe(conf);
    Check(std::strlen(conf.networkName) <= mnm::kNetworkNameLength);

    // A record that loads must save and load back to itself.
    if (rc == 0) {
        std::stringstream out(std::ios::in | std::ios::out | std::ios::binary);
        Check(mnm::SaveToFile(conf, out) == 0);
        mnm::NodeConf again;
        std::istringstream back(out.str(), std::ios::binary);
        Check(mnm::LoadFromFile(again, back).ok());
        Check(std::memcmp(&conf, &again, sizeof conf) == 0);
    }
    return 0;
}
