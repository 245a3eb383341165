#include "reports/MNMEDialog.h"

#include <QPushButton>

#include "controls/StatusIcon.h"
#include "controls/StatusText.h"
#include "reports/DialogUnits.h"
#include "reports/model/ReportIcons.h"

namespace mnm::reports {

MNMEDialog::MNMEDialog(QWidget* parent, const QString& text, const QString& title, int icon)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), icon_(icon)
{
    using T = ErrorReportTemplate;
    setObjectName(QStringLiteral("MNMError"));
    setWindowTitle(title);
    setAccessibleDescription(text);
    const BaseUnits base = BaseUnitsOf(*this);

    text_ = new controls::StatusText(this);
    text_->setObjectName(QStringLiteral("102"));
    const Rect textArea = ToPixels(T::kText, base);
    text_->setGeometry(ToQRect(textArea));
    text_->SetText(text);

    auto* picture = new controls::StatusIcon(icon, icon, this);
    picture->setObjectName(QStringLiteral("101"));
    picture->setAccessibleName(QString::fromLatin1(IconMeaning(icon)));
    picture->SetState(controls::kStateOn);

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    const ErrorReportLayout layout =
        LayoutErrorReport(textArea, ToPixels(T::kIcon, base), ToPixels(T::kOk, base), text_->height());
    text_->setGeometry(ToQRect(layout.text));
    picture->setGeometry(ToQRect(layout.icon));
    ok->setGeometry(ToQRect(layout.ok));
    const Size size{ToPixels(T::kDialog, base).width, layout.height};
    setFixedSize(size.width, size.height);
    const Rect place = PlaceErrorReport(ParentArea(parent), size);
    move(place.x, place.y);
    ok->setFocus();
}

QString MNMEDialog::Text() const { return text_->Text(); }

} // namespace mnm::reports
