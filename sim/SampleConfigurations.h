// Configurations for tests, demonstrations and benchmarks.
#pragma once

#include "nodeconf/NodeConf.h"

namespace mnm {

// Every table in use with a few entries: connections to this node and to
// others (sorted by destination node, as a node holds them), both routing
// tables, SMS messages of 0, 40 and 160 characters, alerts, dialup.
NodeConf SampleConfiguration();

// The sample as the editor stores it: it passes the check and comes back
// unchanged through a load into the editor and a store.
NodeConf EditedConfiguration();

// Every table at its capacity, every text at its full length: the largest record.
NodeConf MaximalConfiguration();
// The same, as full as a node can hold it: the primary routes stop at the
// node's limit. What the benchmarks send and receive.
NodeConf FullestNodeConfiguration();

} // namespace mnm
