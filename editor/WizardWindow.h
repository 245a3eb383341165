// The Network page's explanatory window: a coloured panel over the help text
// that says what is wrong with the field being typed, with small link buttons
// at the ends of the lines that offer a correction.
#pragma once

#include <QWidget>

#include <array>
#include <string>
#include <vector>

#include "editor/model/ExplanationLayout.h"
#include "editor/model/NetworkExplain.h"

class QPushButton;

namespace mnm::editor {

class WizardWindow : public QWidget {
    Q_OBJECT
public:
    explicit WizardWindow(QWidget* parent = nullptr);

    // A new explanation: the links are replaced; the countdown restarts at
    // 10 ticks when the text is not empty (else no countdown), and the
    // window hides at once.
    void SetExplanation(const Explanation& explanation);
    // While another page is shown the window stays hidden.
    void Suppress(bool suppressed);
    // Every 50 ms from the frame's timer: a countdown above 0 goes down by
    // one; the visibility is applied.
    void Tick();

    const std::string& Text() const { return text_; }
    // Link buttons in use (at most kMaxLinks).
    int LinkCount() const { return static_cast<int>(links_.size()); }

    // It shares its grid cell with the help text and must not widen it.
    QSize minimumSizeHint() const override { return {0, 0}; }

signals:
    void LinkPressed(int command);

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void changeEvent(QEvent* event) override;

private:
    void LayOut();
    void ApplyVisibility();
    void Publish(const QString& description);

    std::string text_;
    std::vector<int> links_;
    int countdown_ = 0;
    bool suppressed_ = true;
    ExplanationLayout layout_;
    std::array<QPushButton*, kMaxLinks> buttons_{};
};

} // namespace mnm::editor
