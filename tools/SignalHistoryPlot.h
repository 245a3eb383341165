// The received signal strength of the last ten minutes as a small plot,
// with its weakest, strongest and mean values written under it.
#pragma once

#include <chrono>

#include "controls/DisplayControl.h"
#include "tools/model/SignalHistory.h"

namespace mnm::tools {

class SignalHistoryPlot : public controls::DisplayControl {
    Q_OBJECT
public:
    explicit SignalHistoryPlot(QWidget* parent = nullptr);

    void AddSample(std::chrono::milliseconds tick, int dbm);
    // Moves the right edge to `now`, dropping what fell off the left.
    void Age(std::chrono::milliseconds now);
    const SignalHistory& History() const { return history_; }

    QString ShownText() const override;
    QAccessible::Role ShownRole() const override { return QAccessible::Chart; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    // Redraws, and tells a screen reader when the figures changed.
    void Changed();
    int TextLineHeight() const;
    PlotArea TraceArea() const;

    SignalHistory history_;
    std::chrono::milliseconds now_{0};
    QString summary_;
};

} // namespace mnm::tools
