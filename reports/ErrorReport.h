// Shows a report (its text, or its code's message), or a plain text, in the
// error report.
#pragma once

#include <QString>

#include "nodeconf/Report.h"

class QWidget;

namespace mnm::reports {

// Without a parent the report goes over the active window. Returns 0.
int ShowErrorReport(const Report& report, const QString& title, QWidget* parent = nullptr);

// A null text shows "Report", a null title "Error".
int ShowTextReport(const QString& text, const QString& title, QWidget* parent = nullptr);

} // namespace mnm::reports
