// What a finished open or save changes: the configuration state and the
// recent-files list change only when the file was read, or was written
// completely and is in place.
#pragma once

#include <string_view>

#include "app/model/ConfigState.h"
#include "app/model/MRUList.h"
#include "nodeconf/ResultCodes.h"

namespace mnm::app {


// `loadCode` is the reader's result for `path` (0, or -2101 when the file
// could not be opened, or the reader's code). 0: the editor holds the file;
// otherwise the code, with nothing changed.
int FinishOpen(ConfigState& state, MRUList& recent, std::string_view path, int loadCode);

// `writtenInPlace` is true only when every byte was written and the file
// replaced the old one. Then the file is the configuration's, unmodified, and
// 0; otherwise -2102 with the modified flag, the name and the list as they
// were (the old file is untouched).
int FinishSave(ConfigState& state, MRUList& recent, std::string_view path, bool writtenInPlace);

} // namespace mnm::app
