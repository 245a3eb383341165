// The live tools' views (monitor, radio test, engineering) as empty pages
// until their issues build them: each names itself and says so.
#pragma once

#include <QWidget>

namespace mnm::app {

// `id` is the view's template name, `title` what it is for.
QWidget* MakeEmptyLiveView(const char* id, const QString& title, QWidget* parent);

} // namespace mnm::app
