// Shows a result code's message, or a composed text, in the error report.
#pragma once

#include <QString>

class QWidget;

namespace mnm::reports {

// Without a parent the report goes over the active window. Returns 0.
int ShowErrorReport(int code, const QString& title, QWidget* parent = nullptr);

// A null text shows "Report", a null title "Error".
int ShowTextReport(const QString& text, const QString& title, QWidget* parent = nullptr);

} // namespace mnm::reports
