#include "editor/RoutingHeader.h"

#include <QLabel>

#include "editor/WidgetWrites.h"

namespace mnm::editor {

namespace {
enum Id { kDestinationHeader = 3005, kRoutingHeader = 3004, kMetricHeader = 1024 };
} // namespace

RoutingHeader::RoutingHeader(QWidget* parent) : QWidget(parent)
{
    labels_ = {PlainLabel(tr("Destination"), kDestinationHeader, this),
               PlainLabel(tr("Routing"), kRoutingHeader, this), PlainLabel(tr("Metric"), kMetricHeader, this)};
    setFixedHeight(labels_[0]->sizeHint().height());
}

void RoutingHeader::Place(bool hasMetric, int left, int width)
{
    const auto spans = RoutingHeaderSpans(hasMetric, width);
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        labels_[i]->setGeometry(left + spans[i].left, 0, spans[i].width, height());
        WriteShown(labels_[i], spans[i].width > 0);
    }
}

} // namespace mnm::editor
