// The status indicator at the right end of the menu bar: one of the
// animation's pictures with up to two short texts over it. What to show
// comes from the tick (app/model/IndicatorTick.h); a click is reported.
#pragma once

#include <QWidget>

#include "app/model/IndicatorTick.h"

namespace mnm::app {

class StatusIndicator : public QWidget {
    Q_OBJECT
public:
    explicit StatusIndicator(QWidget* parent = nullptr);

    // Frame 0..30, the texts and the tooltip (also the accessible description).
    void Show(int frame, const IndicatorTexts& texts, const QString& tooltip);
    // "Stopping…" at once, while the window waits for a transfer to end
    // without returning to the event loop; the next tick redraws it.
    void ShowStopping();
    int Frame() const { return frame_; }
    QString LeftText() const { return left_; }
    QString RightText() const { return right_; }
    QSize sizeHint() const override;
    // The dotted frame shows keyboard focus only, never a click's.
    bool ShowsFocusFrame() const { return hasFocus() && keyboardFocus_; }
    // The room each text has beside the picture.
    int LeftTextWidth() const { return leftWidth_; }
    int RightTextWidth() const { return rightWidth_; }

signals:
    void Clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void MeasureTexts();
    int PictureWidth() const;

    int frame_ = 0;
    QString left_, right_;
    int leftWidth_ = 0, rightWidth_ = 0;
    bool keyboardFocus_ = false;
};

} // namespace mnm::app
