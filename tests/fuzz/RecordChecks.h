// What every reader of outside input must leave in a record: counts within
// their tables and every text terminated inside its array. A fault aborts,
// which the fuzzer reports with the input.
#pragma once

#include <cstdlib>
#include <cstring>

#include "nodeconf/NodeConf.h"

namespace fuzz {

inline void Check(bool ok)
{
    if (!ok) std::abort();
}

template <std::size_t N, std::size_t L> void CheckTexts(const char (&texts)[N][L])
{
    for (const auto& t : texts) Check(std::memchr(t, 0, L) != nullptr);
}

inline void CheckRecordIsSafe(const mnm::NodeConf& conf)
{
    Check(conf.connectionCount >= 0 && conf.connectionCount <= mnm::kMaxConnections);
    Check(conf.primaryRouteCount >= 0 && conf.primaryRouteCount <= mnm::kMaxRoutes);
    Check(conf.secondaryRouteCount >= 0 && conf.secondaryRouteCount <= mnm::kMaxRoutes);
    Check(conf.smsConnectionCount >= 0 && conf.smsConnectionCount <= mnm::kMaxSmsConnections);
    Check(conf.dialupConnectionCount >= 0 && conf.dialupConnectionCount <= mnm::kMaxDialupConnections);
    Check(std::memchr(conf.networkName, 0, sizeof conf.networkName) != nullptr);
    CheckTexts(conf.smsNumbers);
    CheckTexts(conf.smsMessages);
    CheckTexts(conf.dialupNumbers);
}

} // namespace fuzz
