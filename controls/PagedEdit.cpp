#include "controls/PagedEdit.h"

#include <QSignalBlocker>

#include "nodeconf/TextEncoding.h"

namespace mnm::controls {

namespace {

// The pages hold the record's Windows-1252 bytes; the edit shows Unicode.
QString Shown(const std::string& cp1252) { return QString::fromStdString(Cp1252ToUtf8(cp1252)); }
std::string Held(const QString& text) { return Utf8ToCp1252(text.toStdString()); }

} // namespace

PagedEdit::PagedEdit(int pages, int length, QWidget* parent) : QLineEdit(parent), pages_(pages, length)
{
    setMaxLength(pages_.PageLength());
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { pages_.SetEditText(Held(text)); });
}

void PagedEdit::ShowPage()
{
    const QSignalBlocker quiet(this);
    setText(Shown(pages_.EditText()));
}

void PagedEdit::SetPage(int page, bool save)
{
    pages_.SetPage(page, save);
    ShowPage();
}

void PagedEdit::Turn(int delta)
{
    pages_.Turn(delta);
    ShowPage();
}

int PagedEdit::GetPage(int page, QString* text) const
{
    std::string held;
    const int length = pages_.GetPage(page, &held);
    if (text && length >= 0) *text = Shown(held);
    return length;
}

int PagedEdit::PutPage(int page, const QString& text)
{
    const int result = pages_.PutPage(page, Held(text));
    if (result == 0 && page == CurrentPage()) ShowPage();
    return result;
}

void PagedEdit::Clear()
{
    pages_.Clear();
    ShowPage();
}

} // namespace mnm::controls
