#include "settings/Settings.h"

namespace mnm {

namespace {

struct SettingDefault {
    const char* name;
    const char* value; // nullptr: deleted at every start
};

// In the order they are applied at start. Port and the recent files get no default.
constexpr SettingDefault kDefaults[] = {
    {kSettingAllowPortDeselection, "0"},
    {kSettingAllowEngineeringDialog, "0"},
    {kSettingDisallowPorts, ""},
    {kSettingDisplayVersionInCaption, "1"},
    {kSettingShowFullPathInCaption, "1"},
    {kSettingAllowUserToSetRoutingMetric, nullptr},
    {kSettingAllowUserToReorderRoutingEntries, "0"},
    {kSettingAllowUserToSetRoutesForRanges, "0"},
    {kSettingNipQueryTimeout, "800"},
    {kSettingMonitorConnectedNodeIdentity, "1"},
    {kSettingDisplayVersionNumbersAsTrinomials, "0"},
    {kSettingRetiredEndpointMonitoringTimeout, nullptr},
    {kSettingRetiredNcpFlashWriteTimeout, nullptr},
    {kSettingAllowDeepDiagnostics, "0"},
    {kSettingEndpointMonitorTimeout, "1500"},
    {kSettingNcpWriteFlashTimeout, "1500"},
    {kSettingCommitToFlashOnDownload, "1"},
};

} // namespace

void WriteSettingDefaults()
{
    for (const SettingDefault& d : kDefaults) {
        if (d.value == nullptr)
            DeleteSetting(d.name);
        else if (ReadSetting(d.name).empty())
            WriteSetting(d.name, d.value);
    }
}

} // namespace mnm
