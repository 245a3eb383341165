// Every setting the programs use, read once into one value with named
// fields, and written back field by field where it changed.
#pragma once

#include <string>
#include <vector>

namespace mnm {

// The ranges the time-outs are held to, in milliseconds.
inline constexpr int kLowestQueryTimeoutMs = 100;   // "NIPQueryTimeout(ms)"
inline constexpr int kHighestQueryTimeoutMs = 10000;
inline constexpr int kLowestTimeoutMs = 100;        // "NCPWriteFlashTimeout(ms)", "EndpointMonitorTimeout(ms)"
inline constexpr int kHighestTimeoutMs = 60000;
// "EndpointMonitorTimeout(ms)" of 0, below 0 or not a number: its default,
// not the lowest, since the monitor would blank its value almost at once.
inline constexpr int kDefaultMonitorTimeoutMs = 1500;

struct ProgramSettings {
    bool allowPortDeselection = false;
    bool allowEngineeringDialog = false;
    std::string disallowPorts;
    bool displayVersionInCaption = false;
    bool showFullPathInCaption = false;
    bool allowUserToReorderRoutingEntries = false;
    bool allowUserToSetRoutesForRanges = false;
    int nipQueryTimeoutMs = 0;
    bool monitorConnectedNodeIdentity = false;
    bool displayVersionNumbersAsTrinomials = false;
    bool allowDeepDiagnostics = false;
    int endpointMonitorTimeoutMs = 0;
    int ncpWriteFlashTimeoutMs = 0;
    bool commitToFlashOnDownload = false;
    std::string port;
    // MRUF#1 on, up to the first empty one.
    std::vector<std::string> recentFiles;

    // Not a setting: why the settings cannot be saved, or empty.
    std::string unwritableReason;

    bool operator==(const ProgramSettings&) const = default;
};

// As the store holds them now (after WriteSettingDefaults at start), each
// time-out held to its range.
ProgramSettings ReadProgramSettings();

// Writes each field whose value differs between the two; the recent files,
// when they differ, as MRUF#1..n with the names after them deleted. A value
// changed in the store by someone else meanwhile is left alone unless this
// program changed the same field.
void WriteChangedSettings(const ProgramSettings& before, const ProgramSettings& after);

std::string RecentFileSettingName(int number);

} // namespace mnm
