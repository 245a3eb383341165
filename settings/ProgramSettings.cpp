#include "settings/ProgramSettings.h"

#include "settings/Settings.h"

#include <algorithm>

namespace mnm {
namespace {

struct FlagField {
    const char* name;
    bool ProgramSettings::*member;
    // On for any number but 0 rather than for "1" alone: what the node
    // worker has always read these two as, and stores may hold "2" or "-1".
    bool anyNumber = false;
};
// A time-out is held to its range: a huge one would keep a transfer waiting
// on a silent node far beyond anyone's patience, a zero one fail at once.
struct NumberField {
    const char* name;
    int ProgramSettings::*member;
    int lowest;
    int highest;
    int unset = 0; // taken for 0, below 0 or not a number; 0: the lowest is
};
struct TextField {
    const char* name;
    std::string ProgramSettings::*member;
};

constexpr FlagField kFlags[] = {
    {kSettingAllowPortDeselection, &ProgramSettings::allowPortDeselection},
    {kSettingAllowEngineeringDialog, &ProgramSettings::allowEngineeringDialog},
    {kSettingDisplayVersionInCaption, &ProgramSettings::displayVersionInCaption},
    {kSettingShowFullPathInCaption, &ProgramSettings::showFullPathInCaption},
    {kSettingAllowUserToReorderRoutingEntries, &ProgramSettings::allowUserToReorderRoutingEntries},
    {kSettingAllowUserToSetRoutesForRanges, &ProgramSettings::allowUserToSetRoutesForRanges},
    {kSettingMonitorConnectedNodeIdentity, &ProgramSettings::monitorConnectedNodeIdentity, true},
    {kSettingDisplayVersionNumbersAsTrinomials, &ProgramSettings::displayVersionNumbersAsTrinomials},
    {kSettingAllowDeepDiagnostics, &ProgramSettings::allowDeepDiagnostics},
    {kSettingCommitToFlashOnDownload, &ProgramSettings::commitToFlashOnDownload, true},
};
constexpr NumberField kNumbers[] = {
    {kSettingNipQueryTimeout, &ProgramSettings::nipQueryTimeoutMs, kLowestQueryTimeoutMs, kHighestQueryTimeoutMs},
    {kSettingEndpointMonitorTimeout, &ProgramSettings::endpointMonitorTimeoutMs, kLowestTimeoutMs, kHighestTimeoutMs,
     kDefaultMonitorTimeoutMs},
    {kSettingNcpWriteFlashTimeout, &ProgramSettings::ncpWriteFlashTimeoutMs, kLowestTimeoutMs, kHighestTimeoutMs},
};
constexpr TextField kTexts[] = {
    {kSettingDisallowPorts, &ProgramSettings::disallowPorts},
    {kSettingPort, &ProgramSettings::port},
};

} // namespace

std::string RecentFileSettingName(int number) { return kSettingRecentFilePrefix + std::to_string(number); }

ProgramSettings ReadProgramSettings()
{
    ProgramSettings s;
    for (const FlagField& f : kFlags) s.*f.member = f.anyNumber ? ReadSettingNumber(f.name) != 0 : ReadSettingFlag(f.name);
    for (const NumberField& f : kNumbers) {
        const int value = ReadSettingNumber(f.name);
        s.*f.member = value <= 0 && f.unset != 0 ? f.unset : std::clamp(value, f.lowest, f.highest);
    }
    for (const TextField& f : kTexts) s.*f.member = ReadSetting(f.name);
    // The list ends at the first name without a value; an entry that cannot
    // be a path (too long to read) is dropped alone.
    for (int number = 1; number <= kRecentFileSettings; ++number) {
        const std::string name = RecentFileSettingName(number);
        std::string path = ReadSetting(name);
        if (!path.empty())
            s.recentFiles.push_back(std::move(path));
        else if (!SettingPresent(name))
            break;
    }
    s.unwritableReason = SettingsUnwritableReason();
    return s;
}

void WriteChangedSettings(const ProgramSettings& before, const ProgramSettings& after)
{
    for (const FlagField& f : kFlags)
        if (before.*f.member != after.*f.member) WriteSetting(f.name, after.*f.member ? "1" : "0");
    for (const NumberField& f : kNumbers)
        if (before.*f.member != after.*f.member) WriteSetting(f.name, std::to_string(after.*f.member));
    for (const TextField& f : kTexts)
        if (before.*f.member != after.*f.member) WriteSetting(f.name, after.*f.member);
    if (before.recentFiles == after.recentFiles) return;
    for (int number = 1; number <= kRecentFileSettings; ++number) {
        const auto index = static_cast<std::size_t>(number - 1);
        if (index < after.recentFiles.size())
            WriteSetting(RecentFileSettingName(number), after.recentFiles[index]);
        else
            DeleteSetting(RecentFileSettingName(number));
    }
}

} // namespace mnm
