#include "worker/ChannelSettings.h"

#include "settings/Settings.h"

namespace mnm {

ChannelBudgets BudgetsFromSettings()
{
    return {ChecksForMilliseconds(ReadSettingNumber(kSettingNipQueryTimeout)),
            ChecksForMilliseconds(ReadSettingNumber(kSettingNcpWriteFlashTimeout))};
}

} // namespace mnm
