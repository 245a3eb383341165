#include "cli/Commands.h"

#include "nodeconf/ErrorCatalogue.h"
#include "nodeconf/TextEncoding.h"

#include <cstdio>

namespace mnm::cli {

void PrintFailureText(const std::string& cp1252Message)
{
    std::fprintf(stderr, "mnm: %s\n", Cp1252ToUtf8(cp1252Message).c_str());
}

void PrintPathFailure(const std::string& path, const FileStatus& status)
{
    std::fflush(stdout); // after the lines `verify` printed for earlier files
    std::fprintf(stderr, "mnm: %s: %s\n", path.c_str(), FileFaultText(status).c_str());
}

void PrintFailure(const Report& report) { PrintFailureText(MessageOf(report)); }

} // namespace mnm::cli
