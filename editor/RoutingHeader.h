// The headers "Destination", "Routing" and "Metric" over a routing list,
// placed at its columns.
#pragma once

#include <QWidget>

#include <array>

#include "editor/model/RoutingList.h"

class QLabel;

namespace mnm::editor {

class RoutingHeader : public QWidget {
    Q_OBJECT
public:
    explicit RoutingHeader(QWidget* parent = nullptr);

    // The list's rows start `left` pixels into the header and are `width` wide.
    void Place(bool hasMetric, int left, int width);
    QLabel* Label(int index) const { return labels_[index]; }

private:
    std::array<QLabel*, 3> labels_;
};

} // namespace mnm::editor
