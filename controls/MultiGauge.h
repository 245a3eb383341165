// A horizontal bar meter in three coloured zones (received signal strength).
#pragma once

#include "controls/DisplayControl.h"
#include "controls/model/Gauge.h"

namespace mnm::controls {

class MultiGauge : public DisplayControl {
    Q_OBJECT
public:
    explicit MultiGauge(const GaugeScale& scale, QWidget* parent = nullptr);

    void SetValue(int value);
    void ClearValue();
    void ShowText(bool on);
    bool HasValue() const { return hasValue_; }
    int Value() const { return value_; }

    QString ShownText() const override;
    QAccessible::Role ShownRole() const override { return QAccessible::Indicator; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    GaugeScale scale_;
    int value_;
    bool hasValue_ = false;
    bool showText_ = true;
};

} // namespace mnm::controls
