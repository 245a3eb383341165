// The record in a readable layout for `mnm dump`.
#pragma once

#include "nodeconf/NodeConf.h"

#include <string>

namespace mnm::cli {

std::string RecordToText(const NodeConf& conf);

} // namespace mnm::cli
