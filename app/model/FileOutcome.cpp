#include "app/model/FileOutcome.h"

namespace mnm::app {
namespace {

void TakeFile(ConfigState& state, MRUList& recent, std::string_view path)
{
    state.openState = kEditorShown;
    state.fileName = path;
    state.modified = false;
    recent.Touch(path);
}

} // namespace

int FinishOpen(ConfigState& state, MRUList& recent, std::string_view path, int loadCode)
{
    if (loadCode != 0) return loadCode;
    TakeFile(state, recent, path);
    return 0;
}

int FinishSave(ConfigState& state, MRUList& recent, std::string_view path, bool writtenInPlace)
{
    if (!writtenInPlace) return kCannotWriteFile;
    TakeFile(state, recent, path);
    return 0;
}

} // namespace mnm::app
