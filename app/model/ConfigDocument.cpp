#include "app/model/ConfigDocument.h"

#include <filesystem>

#include "app/model/UnsavedPrompt.h"
#include "editor/model/Transfer.h"
#include "nodeconf/ConfigFile.h"
#include "nodeconf/ResultCodes.h"
#include "nodeconf/TextEncoding.h"
#include "nodeconf/WholeFile.h"

namespace mnm::app {
namespace {

constexpr char kDefaultSuffix[] = ".mnc";

// A failed transfer always brings its text or code; the catalogue's general
// word is the last resort, so a failure never shows as success.
Report Failure(const Report& report, int otherwise)
{
    return report.text || report.code != 0 ? report : Report{otherwise};
}

} // namespace

ConfigDocument::ConfigDocument(const std::vector<std::string>& recentFiles)
{
    for (const std::string& path : recentFiles) recent_.Append(path);
}

DocumentResult ConfigDocument::New()
{
    editor::Reset(contents_);
    state_ = {kEditorShown, false, {}};
    return {{}, {true, true, false}};
}

DocumentResult ConfigDocument::Open(const std::string& path) { return Load(path, true, false); }

DocumentResult ConfigDocument::OpenCommandLine(const std::string& path) { return Load(path, false, true); }

DocumentResult ConfigDocument::Load(const std::string& path, bool remember, bool sayWhy)
{
    NodeConf record{};
    FileStatus status;
    if (Report read = LoadFromPath(record, path, &status); !read.ok()) {
        const bool missing = status.fault == FileFault::CannotOpen &&
                             status.systemError == std::errc::no_such_file_or_directory;
        if (sayWhy && status.fault != FileFault::None && !missing)
            read.text = Utf8ToCp1252(path + ": " + FileFaultText(status));
        return {std::move(read), {}, missing};
    }
    editor::LoadIntoEditor(record, contents_);
    if (remember) {
        TakeFile(path);
    } else {
        state_ = {kEditorShown, false, path};
    }
    return {{}, {true, true, remember}};
}

void ConfigDocument::TakeFile(const std::string& path)
{
    state_.openState = kEditorShown;
    state_.fileName = path;
    state_.modified = false;
    recent_.Touch(path);
}

DocumentResult ConfigDocument::Close()
{
    state_ = {};
    return {{}, {false, true, false}};
}

Report ConfigDocument::Store(NodeConf& record) const
{
    record = NodeConf{};
    return editor::StoreFromEditor(contents_, record);
}

DocumentResult ConfigDocument::SaveTo(const NodeConf& record, const std::string& path)
{
    if (SaveWhole(record, path).fault != FileFault::None) return {Report{kCannotWriteFile}, {}};
    TakeFile(path);
    return {{}, {false, true, true}};
}

DocumentResult ConfigDocument::ReceiveEnded(const ReceivedRecord& received)
{
    if (received.record) {
        editor::LoadIntoEditor(*received.record, contents_);
        state_ = {kEditorShown, false, {}};
        return {{}, {true, true, false}};
    }
    return {ReceiveFailure(received.outcome), {}};
}

Report ReceiveFailure(const TransferOutcome& outcome)
{
    // A stop the user asked for is no failure to report, unless the node
    // was left needing a power cycle.
    if (outcome.cancelled && !outcome.schedulerLeftRaised) return {};
    switch (outcome.status) {
    case RequestStatus::kFailed: return Failure(outcome.report, kUploadFailed);
    case RequestStatus::kNone: return Rejected("Nothing has been received");
    case RequestStatus::kRunning: return Rejected("A Reception is already in progress");
    default: return Rejected("Unknown Error");
    }
}

Report ConfigDocument::SendEnded(const TransferOutcome& sent) const
{
    if (sent.cancelled && !sent.schedulerLeftRaised) return {};
    switch (sent.status) {
    case RequestStatus::kDone: return {};
    case RequestStatus::kFailed: return Failure(sent.report, kDownloadFailed);
    case RequestStatus::kNone: return Rejected("Nothing was successfully sent");
    case RequestStatus::kRunning: return Rejected("A Sending to the Node is still in progress");
    }
    return Rejected("Unknown Error");
}

bool ConfigDocument::Edit(const std::function<void(editor::EditorContents&)>& change)
{
    change(contents_);
    if (state_.modified) return false;
    state_.modified = true;
    return true;
}

void ConfigDocument::CoverWithLiveTool()
{
    if (state_.openState == kEditorShown) state_.openState = kLiveToolShown;
}

void ConfigDocument::Resume() { state_.openState = kEditorShown; }

bool ConfigDocument::PrepareUnsavedPrompt() { return app::PrepareUnsavedPrompt(state_); }

void ConfigDocument::Forget() { state_ = {}; }

Report ConfigDocument::KeepUnsaved(const std::string& path) const
{
    NodeConf record;
    if (Report stored = Store(record); !stored.ok()) return stored;
    return SaveWhole(record, path).fault == FileFault::None ? Report{} : Report{kCannotWriteFile};
}

DocumentResult ConfigDocument::OpenRecovered(const std::string& path)
{
    DocumentResult result = Load(path, false, false);
    if (!result.report.ok()) return result;
    state_ = {kEditorShown, true, {}};
    return result;
}

std::vector<std::string> RecoveryFileNames(const std::string& base)
{
    constexpr int kMoreNames = 9;
    const std::filesystem::path path(base);
    std::vector<std::string> names{base};
    for (int n = 2; n <= kMoreNames; ++n) {
        std::filesystem::path name = path;
        name.replace_filename(path.stem().string() + "-" + std::to_string(n) + path.extension().string());
        names.push_back(name.string());
    }
    return names;
}

std::string WithDefaultSuffix(const std::string& path)
{
    return std::filesystem::path(path).has_extension() ? path : path + kDefaultSuffix;
}

} // namespace mnm::app
