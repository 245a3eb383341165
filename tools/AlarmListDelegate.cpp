#include "tools/AlarmListDelegate.h"

#include <QPainter>
#include <QStyleOptionViewItem>
#include <QWidget>

#include <algorithm>

#include "reports/DialogUnits.h"
#include "tools/model/AlarmList.h"

namespace mnm::tools {

namespace {
constexpr int kTextMargin = 3; // between the row's edge and its text
} // namespace

AlarmListDelegate::AlarmListDelegate(int tabStopDialogUnits, QObject* parent)
    : LineDelegate(parent), tabStop_(tabStopDialogUnits)
{
}

void AlarmListDelegate::PaintLine(QPainter& painter, const QRect& row, const std::string& line,
                                  const QStyleOptionViewItem& option) const
{
    const AlarmColumns columns = SplitAlarmLine(line);
    const QString node = QString::fromStdString(std::string(columns.node));
    const QString state = QString::fromStdString(std::string(columns.state));
    const QFontMetrics metrics = painter.fontMetrics();
    const int tabStop =
        option.widget ? reports::ToPixels(reports::Size{tabStop_, 0}, reports::BaseUnitsOf(*option.widget)).width : 0;
    // A node text wider than the stop pushes the state on, as a tab would.
    const int stateLeft = std::max(tabStop, metrics.horizontalAdvance(node + ' '));
    const QRect text = row.adjusted(kTextMargin, 0, -kTextMargin, 0);
    constexpr int kFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    painter.drawText(text, kFlags, node);
    painter.drawText(text.adjusted(stateLeft, 0, 0, 0), kFlags, state);
}

} // namespace mnm::tools
