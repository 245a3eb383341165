#include "app/model/MenuEnabling.h"

#include "app/model/CommandIds.h"

namespace mnm::app {
namespace {

constexpr CommandState kAbsent{false, false};

CommandState Enabled(bool on) { return {true, on}; }

bool IsRecentFile(int id) { return id > kCmdRecentFileBase && id <= kCmdRecentFileLast; }
bool IsPort(int id) { return id >= kCmdPortFirst && id <= kCmdPortLast; }

} // namespace

bool DropAccepted(const MenuInputs& in) { return !in.busy; }

CommandState MenuCommandState(int id, const MenuInputs& in, const MenuSettings& settings)
{
    const bool idle = !in.busy;
    const bool editing = in.openState == kEditorShown;
    switch (id) {
    case kCmdNew:
    case kCmdOpen: return Enabled(idle && in.openState != kLiveToolShown);
    case kCmdClose:
    case kCmdSaveAs:
    case kCmdVerify: return Enabled(idle && editing);
    case kCmdSave: return Enabled(idle && editing && in.modified);
    case kCmdResume: return Enabled(idle && in.openState == kLiveToolShown);
    // Only an open configuration is sent: what the editor held before Close
    // must never overwrite a node. During a transfer the start is refused.
    case kCmdSend: return Enabled(in.openState != kNoConfiguration);
    // Needs an open configuration to compare the node's with, and waits
    // for a running transfer as its receive would.
    case kCmdCompare: return Enabled(idle && in.openState != kNoConfiguration);
    case kCmdReceive:
    case kCmdExit:
    case kCmdMonitor:
    case kCmdTest:
    case kCmdStatusIndicator: return Enabled(true);
    case kCmdEngineering: return settings.allowEngineeringDialog ? Enabled(true) : kAbsent;
    case kCmdPicture: return Enabled(false);
    case kCmdPortNone: return settings.allowPortDeselection ? Enabled(true) : kAbsent;
    default: break;
    }
    // A recent file replaces the open configuration, so it waits for a
    // transfer as Open does: a receive ending later would overwrite it.
    if (IsRecentFile(id)) return Enabled(DropAccepted(in));
    if (IsPort(id)) return Enabled(true);
    return kAbsent;
}

} // namespace mnm::app
