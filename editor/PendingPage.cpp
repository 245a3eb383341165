#include "editor/PendingPage.h"

#include <QLabel>
#include <QVBoxLayout>

namespace mnm::editor {

PendingPage::PendingPage(const QString& objectName, Summary summary, QWidget* parent)
    : QWidget(parent), summary_(std::move(summary))
{
    setObjectName(objectName);
    text_ = new QLabel(this);
    text_->setTextFormat(Qt::PlainText);
    text_->setWordWrap(true);
    text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    blockSlot_ = new QVBoxLayout;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addLayout(blockSlot_);
    layout->addStretch();
}

void PendingPage::Refresh(const EditorContents& e)
{
    const QString text = summary_(e);
    if (text_->text() != text) text_->setText(text);
}

void PendingPage::HoldTelephoneBlock(QWidget* block) { blockSlot_->addWidget(block); }

} // namespace mnm::editor
