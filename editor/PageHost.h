// What an editor page asks of the node panel that holds it: the open
// configuration's contents, and the two ways of changing them.
#pragma once

#include <functional>

#include "editor/model/EditorContents.h"

namespace mnm::editor {

class PageHost {
public:
    using Change = std::function<void(EditorContents&)>;

    virtual const EditorContents& Contents() const = 0;
    // An edit by the user: the configuration is marked modified (the frame
    // hears of the first one) and every page shows the result.
    virtual void Edit(const Change& change) = 0;
    // An edit that may change nothing (a refused add): marked modified only
    // when the contents changed; true then.
    virtual bool EditIfChanged(const Change& change) = 0;
    // A selection or a page turned: shown again, not marked modified.
    virtual void Browse(const Change& change) = 0;
    // Only the page's own inputs changed (a choice, a typed endpoint): every
    // page's rules are applied again.
    virtual void RefreshAll() = 0;
    // The page now shown (1 Network .. 6 Dialup).
    virtual int CurrentPage() const = 0;

protected:
    ~PageHost() = default;
};

} // namespace mnm::editor
