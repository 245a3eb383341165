// A seven-segment read-out (monitor value, radio channel, frequency, power).
#pragma once

#include <string>

#include "controls/DisplayControl.h"
#include "controls/model/SevenSegment.h"

namespace mnm::controls {

class SevenSegment : public DisplayControl {
    Q_OBJECT
public:
    explicit SevenSegment(QWidget* parent = nullptr);

    void SetText(const QString& text);
    QString Text() const { return QString::fromLatin1(text_); }
    void SetColours(const QColor& on, const QColor& off = QColor());
    int DigitCount() const { return LayoutSegments(width(), height()).cells; }

    QString ShownText() const override { return Text(); }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    std::string text_;
    // Cells the previous text used beyond this one: drawn unlit, so a
    // shorter value leaves no doubt about the cells it no longer uses.
    int blank_ = 0;
    QColor on_;
    QColor off_;
    QColor background_;
};

} // namespace mnm::controls
