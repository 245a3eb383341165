#include "reports/ErrorReport.h"

#include <QApplication>
#include <optional>

#include "reports/MNMEDialog.h"
#include "reports/ModalHost.h"
#include "reports/model/ReportContent.h"

namespace mnm::reports {

namespace {

int Show(const ReportContent& content, QWidget* parent)
{
    MNMEDialog dialog(parent ? parent : QApplication::activeWindow(), QString::fromStdString(content.text),
                      QString::fromStdString(content.title), content.icon);
    Modal().RunDialog(dialog);
    return 0;
}

std::optional<std::string> Given(const QString& text)
{
    if (text.isNull()) return std::nullopt;
    return text.toStdString();
}

} // namespace

int ShowErrorReport(const Report& report, const QString& title, QWidget* parent)
{
    return Show(ErrorReportContent(report, title.toStdString()), parent);
}

int ShowTextReport(const QString& text, const QString& title, QWidget* parent)
{
    return Show(TextReportContent(Given(text), Given(title)), parent);
}

} // namespace mnm::reports
