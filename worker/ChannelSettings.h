// The protocol's time budgets as the settings give them.
#pragma once

#include "protocol/NodeChannel.h"

namespace mnm {

// From "NIPQueryTimeout(ms)" and "NCPWriteFlashTimeout(ms)".
ChannelBudgets BudgetsFromSettings();

} // namespace mnm
