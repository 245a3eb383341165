#include "reports/CompareReportDialog.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "reports/DialogUnits.h"
#include "reports/ModalHost.h"

namespace mnm::reports {

namespace {

// Room for a typical difference line and a dozen of them, in dialog units;
// the window can be resized for longer ones.
constexpr Size kCompareDialog{320, 180};

} // namespace

CompareReportDialog::CompareReportDialog(QWidget* parent, const QString& title, const QString& heading,
                                         const QStringList& lines, const QString& copyText)
    : QDialog(parent), copyText_(copyText)
{
    setObjectName(QStringLiteral("CompareReport"));
    setWindowTitle(title);

    heading_ = new QLabel(this);
    heading_->setObjectName(QStringLiteral("CompareHeading"));
    heading_->setTextFormat(Qt::PlainText); // names a file and a port
    heading_->setWordWrap(true);
    heading_->setText(heading);

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("CompareLines"));
    list_->setAccessibleName(tr("Differences"));
    list_->setAccessibleDescription(heading);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->addItems(lines);
    if (list_->count() > 0) list_->setCurrentRow(0);
    heading_->setBuddy(list_);

    // The whole report, not the list's current row as the list's own Ctrl+C would copy.
    auto* copyAction = new QAction(this);
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setShortcutContext(Qt::WindowShortcut);
    connect(copyAction, &QAction::triggered, this, &CompareReportDialog::Copy);
    addAction(copyAction);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* copy = buttons->addButton(tr("Co&py"), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("CompareCopy"));
    copy->setAutoDefault(false);
    connect(copy, &QPushButton::clicked, this, &CompareReportDialog::Copy);
    QPushButton* close = buttons->button(QDialogButtonBox::Close);
    close->setObjectName(QStringLiteral("CompareClose"));
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);

    const Size size = ToPixels(kCompareDialog, BaseUnitsOf(*this));
    resize(size.width, size.height);
    const Rect place = PlaceCentred(ParentArea(parent), size);
    move(place.x, place.y);
    list_->setFocus();
}

QString CompareReportDialog::Heading() const { return heading_->text(); }

QStringList CompareReportDialog::Lines() const
{
    QStringList lines;
    for (int row = 0; row < list_->count(); ++row) lines << list_->item(row)->text();
    return lines;
}

void CompareReportDialog::Copy() const { QApplication::clipboard()->setText(copyText_); }

void ShowCompareReport(QWidget* parent, const QString& title, const QString& heading, const QStringList& lines,
                       const QString& copyText)
{
    CompareReportDialog dialog(parent, title, heading, lines, copyText);
    Modal().RunDialog(dialog);
}

} // namespace mnm::reports
