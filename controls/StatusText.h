// A wrapped message text that shrinks to the height it needs.
#pragma once

#include <string>

#include "controls/DisplayControl.h"
#include "controls/model/TextLines.h"

namespace mnm::controls {

class StatusText : public DisplayControl {
    Q_OBJECT
public:
    explicit StatusText(QWidget* parent = nullptr);

    // Keeps the first 400 characters; the control's height shrinks to what
    // the text needs at its width (it never grows).
    void SetText(const QString& text);
    QString Text() const { return QString::fromStdString(text_); }
    // Height the text needs at the control's width.
    int TextHeight() const;

    QString ShownText() const override { return Text(); }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    std::vector<TextLine> Lines() const;

    std::string text_;  // UTF-8
};

} // namespace mnm::controls
