// The names of the program's settings.
#pragma once

namespace mnm {

inline constexpr char kSettingAllowPortDeselection[] = "AllowPortDeselection";
inline constexpr char kSettingAllowEngineeringDialog[] = "AllowEngineeringDialog";
inline constexpr char kSettingDisallowPorts[] = "DisallowPorts";
inline constexpr char kSettingDisplayVersionInCaption[] = "DisplayVersionInCaption";
inline constexpr char kSettingShowFullPathInCaption[] = "ShowFullPathInCaption";
inline constexpr char kSettingAllowUserToSetRoutingMetric[] = "AllowUserToSetRoutingMetric";
inline constexpr char kSettingAllowUserToReorderRoutingEntries[] = "AllowUserToReorderRoutingEntries";
inline constexpr char kSettingAllowUserToSetRoutesForRanges[] =
    "AllowUserToSetRoutesForRangesOfDestinations";
inline constexpr char kSettingNipQueryTimeout[] = "NIPQueryTimeout(ms)";
inline constexpr char kSettingMonitorConnectedNodeIdentity[] = "MonitorConnectedNodeIdentity";
inline constexpr char kSettingDisplayVersionNumbersAsTrinomials[] =
    "DisplayVersionNumbersAsTrinomials";
inline constexpr char kSettingAllowDeepDiagnostics[] = "AllowDeepDiagnostics";
inline constexpr char kSettingEndpointMonitorTimeout[] = "EndpointMonitorTimeout(ms)";
inline constexpr char kSettingNcpWriteFlashTimeout[] = "NCPWriteFlashTimeout(ms)";
inline constexpr char kSettingCommitToFlashOnDownload[] = "CommitToFlashOnDownload";
inline constexpr char kSettingPort[] = "Port";
// Followed by 1 .. kRecentFileSettings: the recent-files list.
inline constexpr char kSettingRecentFilePrefix[] = "MRUF#";
inline constexpr int kRecentFileSettings = 6;

// Retired names, deleted at every start and read by nobody.
inline constexpr char kSettingRetiredEndpointMonitoringTimeout[] = "EndpointMonitoringTimeout(ms)";
inline constexpr char kSettingRetiredNcpFlashWriteTimeout[] = "NCPFlashWriteTimeout(ms)";

} // namespace mnm
