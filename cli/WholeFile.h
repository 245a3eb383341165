// Writing a configuration file so that a failure leaves no partial file and
// an existing file untouched: the bytes go to FILE.partial, then replace FILE.
#pragma once

#include <string>

#include "nodeconf/NodeConf.h"

namespace mnm::cli {

// 0, or -2102 when the file cannot be written.
int SaveWhole(const NodeConf& conf, const std::string& path);

} // namespace mnm::cli
