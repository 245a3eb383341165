#include "editor/model/EditorContents.h"

namespace mnm::editor {

void Reset(EditorContents& e)
{
    // The Pre-Transmit On-Time text is the one field "New" leaves alone.
    const std::string preTransmit = e.preTransmitOnTime;
    e = EditorContents{};
    e.preTransmitOnTime = preTransmit;
}

} // namespace mnm::editor
