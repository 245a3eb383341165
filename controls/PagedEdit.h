// A one-line edit over several pages of text, one page shown at a time (SMS
// messages and numbers, dialup telephone numbers).
#pragma once

#include <QLineEdit>

#include "editor/model/PagedEdit.h"

namespace mnm::controls {

class PagedEdit : public QLineEdit {
    Q_OBJECT
public:
    PagedEdit(int pages, int length, QWidget* parent = nullptr);

    int PageCount() const { return pages_.PageCount(); }
    int CurrentPage() const { return pages_.CurrentPage(); }
    void SetPage(int page, bool save);
    void Turn(int delta);
    // The page's length, its text into `text` when given; -1 for no such page.
    int GetPage(int page, QString* text = nullptr) const;
    int PutPage(int page, const QString& text);
    void Clear();
    int TotalLength() const { return pages_.TotalLength(); }

private:
    void ShowPage();

    editor::PagedEdit pages_;
};

} // namespace mnm::controls
