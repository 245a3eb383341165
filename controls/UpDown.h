// A pair of arrow buttons that step a value by one (up means +1), beside
// a paged edit or a number: each press, click or Up/Down key is one step.
#pragma once

#include <QWidget>

class QToolButton;

namespace mnm::controls {

class UpDown : public QWidget {
    Q_OBJECT
public:
    explicit UpDown(QWidget* parent = nullptr);

signals:
    void Stepped(int delta);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QToolButton* up_;
    QToolButton* down_;
};

} // namespace mnm::controls
