#include "reports/UnsavedFileDialog.h"

#include <QLabel>
#include <QPushButton>

#include "reports/DialogUnits.h"
#include "reports/ModalHost.h"

namespace mnm::reports {

namespace {

QString Shown(const QString& text) { return QString::fromStdString(PromptText(text.toStdString())); }

} // namespace

UnsavedFileDialog::UnsavedFileDialog(QWidget* parent, const QString& question, const QString& cancelText)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    using T = UnsavedPromptTemplate;
    setObjectName(QStringLiteral("UnsavedFile"));
    setWindowTitle(QString::fromLatin1(kUnsavedTitle));
    const BaseUnits base = BaseUnitsOf(*this);

    question_ = new QLabel(this);
    question_->setObjectName(QStringLiteral("801"));
    question_->setTextFormat(Qt::PlainText);  // the question may quote a file name
    question_->setWordWrap(true);
    question_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    question_->setText(Shown(question));
    question_->setGeometry(ToQRect(ToPixels(T::kQuestion, base)));
    setAccessibleDescription(question_->text());

    const auto addButton = [&](const QString& text, UnsavedAnswer answer, const Rect& place) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(QString::number(static_cast<int>(answer)));
        button->setGeometry(ToQRect(ToPixels(place, base)));
        // Enter must never press Save or Discard, wherever the focus is.
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, answer] { done(static_cast<int>(answer)); });
        return button;
    };
    addButton(QString::fromLatin1(kSaveButtonText), UnsavedAnswer::Save, T::kYes);
    addButton(QString::fromLatin1(kDiscardButtonText), UnsavedAnswer::Discard, T::kNo);
    QPushButton* cancel = addButton(Shown(cancelText), UnsavedAnswer::Cancel, T::kCancel);
    cancel->setDefault(true);
    cancel->setFocus();

    const Size size = ToPixels(T::kDialog, base);
    setFixedSize(size.width, size.height);
    const Rect place = PlaceCentred(ParentArea(parent), size);
    move(place.x, place.y);
}

QString UnsavedFileDialog::Question() const { return question_->text(); }

UnsavedAnswer AskUnsaved(QWidget* parent, const QString& question, const QString& cancelText)
{
    UnsavedFileDialog dialog(parent, question, cancelText);
    return AnswerFromResult(Modal().RunDialog(dialog));
}

} // namespace mnm::reports
