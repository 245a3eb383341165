// The open configuration: the editor's contents, its state (open, modified,
// file name, untitled) and the recent files. It answers every command that
// opens, stores or replaces the configuration with what changed; the frame,
// the editor pages and the live tools share one by reference.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/model/ConfigState.h"
#include "app/model/MRUList.h"
#include "editor/model/EditorContents.h"
#include "nodeconf/NodeConf.h"
#include "nodeconf/Report.h"
#include "worker/WorkerResults.h"

namespace mnm::app {

// What a command changed, so that only that is shown again.
struct DocumentChange {
    bool contents = false;    // the editor's contents were replaced
    bool state = false;       // open state, modified flag or file name
    bool recentFiles = false;

    bool operator==(const DocumentChange&) const = default;
};

struct DocumentResult {
    Report report; // ok, or why nothing changed
    DocumentChange changed;
    // The file to open does not exist (a command-line file is then passed over in silence).
    bool fileMissing = false;
};

class ConfigDocument {
public:
    explicit ConfigDocument(const std::vector<std::string>& recentFiles = {});

    const editor::EditorContents& Contents() const { return contents_; }
    const ConfigState& State() const { return state_; }
    const MRUList& RecentFiles() const { return recent_; }
    bool IsOpen() const { return state_.openState != kNoConfiguration; }

    // A fresh untitled configuration in the editor.
    DocumentResult New();
    // Reads the file; only a file that loaded replaces the configuration and
    // goes to the top of the recent files.
    DocumentResult Open(const std::string& path);
    // As Open, but the recent files stay as they are, and a path that is no
    // readable regular file says why: "PATH: reason".
    DocumentResult OpenCommandLine(const std::string& path);
    // Nothing open any more (blank view).
    DocumentResult Close();

    // The record Save, Save As, Send and Verify work on: the editor's contents
    // through the whole-configuration check.
    Report Store(NodeConf& record) const;
    // Writes the stored record with the whole-file writer. Only a file written
    // completely and in place becomes the configuration's file, unmodified,
    // and the most recent file; otherwise -2102 and nothing changes.
    DocumentResult SaveTo(const NodeConf& record, const std::string& path);

    // A receive ended: a received record replaces the configuration (untitled
    // and unmodified); otherwise the report says why, and nothing changes.
    // A transfer stopped on request reports nothing (the user asked for it)
    // unless it left the node needing a power cycle.
    DocumentResult ReceiveEnded(const ReceivedRecord& received);
    // A send ended: nothing changes; the report says why it failed.
    Report SendEnded(const TransferOutcome& sent) const;

    // An edit on a page: true when it is the first since the configuration
    // was opened or saved (the caption then gains its mark).
    bool Edit(const std::function<void(editor::EditorContents&)>& change);
    // A change that is no edit (a selection, a page turned): the
    // configuration stays as modified as it was.
    void Browse(const std::function<void(editor::EditorContents&)>& change) { change(contents_); }

    // A live tool comes over the editor / the editor comes back.
    void CoverWithLiveTool();
    void Resume();
    // The unsaved question is due (open and modified); the editor is then
    // shown for it, since Save and Verify must work over a visible editor.
    bool PrepareUnsavedPrompt();
    // The configuration is let go of without a question (exit).
    void Forget();

    // An open configuration with changes that were not saved.
    bool HasUnsaved() const { return IsOpen() && state_.modified; }
    // Ended without a chance to ask (a signal): the unsaved configuration is
    // written to `path`, for the next start to offer. It must pass the
    // whole-configuration check to be written; the report says why not.
    Report KeepUnsaved(const std::string& path) const;
    // A kept configuration back: untitled and modified, as it was never saved.
    DocumentResult OpenRecovered(const std::string& path);

private:
    DocumentResult Load(const std::string& path, bool remember, bool sayWhy);
    void TakeFile(const std::string& path);

    editor::EditorContents contents_;
    ConfigState state_;
    MRUList recent_;
};

// Why a receive brought no record; nothing for a stop the user asked for,
// unless it left the node needing a power cycle.
Report ReceiveFailure(const TransferOutcome& outcome);

// A saved file's name gets ".mnc" when it has no suffix of its own.
std::string WithDefaultSuffix(const std::string& path);

// Where kept configurations go, in the order they are used: `base`, then
// the same name with "-2" to "-9" before its suffix. A kept file is never
// overwritten before it was offered (two programs ended together each keep
// their own).
std::vector<std::string> RecoveryFileNames(const std::string& base);

} // namespace mnm::app
