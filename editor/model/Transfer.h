// Moving a whole configuration between the record and the editor's contents;
// the store is also the whole-configuration check.
#pragma once

#include "editor/model/EditorContents.h"
#include "nodeconf/NodeConf.h"
#include "nodeconf/Report.h"

#include <vector>

namespace mnm::editor {

// Fills every page from the record; never fails (odd values show as they are).
void LoadIntoEditor(const NodeConf& conf, EditorContents& e);

// Fills a fresh record from the pages, checking as it goes: success or the
// first failure (a catalogue code, or a dialup rule's own text). On -1702 /
// -1703 the offending connection lines (indexes) are given when asked for.
Report StoreFromEditor(const EditorContents& e, NodeConf& conf, std::vector<int>* offendingLines = nullptr);

// The check alone, as Verify runs it: load into a fresh editor, store back.
Report VerifyRecord(const NodeConf& conf, NodeConf* stored = nullptr);

} // namespace mnm::editor
