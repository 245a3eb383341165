#include "app/SummaryView.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "editor/model/DialupList.h"
#include "editor/model/RoutingList.h"
#include "nodeconf/TextEncoding.h"

namespace mnm::app {

namespace {
QString Shown(const std::string& cp1252)
{
    return cp1252.empty() ? QObject::tr("(empty)") : QString::fromStdString(Cp1252ToUtf8(cp1252));
}
} // namespace

SummaryView::SummaryView(QWidget* parent) : QWidget(parent)
{
    setObjectName("DIALOG_NODEPANEL");
    setAccessibleName(tr("Configuration summary"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(10);
    auto* title = new QLabel(tr("Configuration summary"), this);
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    title->setFont(bold);
    layout->addWidget(title);
    auto* note = new QLabel(tr("The editor's pages come in a later version; this view shows what the open "
                               "configuration holds. Save, Verify and Send to Node work on it."),
                            this);
    note->setWordWrap(true);
    note->setForegroundRole(QPalette::PlaceholderText);
    layout->addWidget(note);

    auto* box = new QGroupBox(tr("Open configuration"), this);
    auto* form = new QFormLayout(box);
    form->setLabelAlignment(Qt::AlignRight);
    form->setHorizontalSpacing(16);
    form->setVerticalSpacing(8);
    name_ = AddRow(form, tr("Network name:"), "summaryNetworkName");
    node_ = AddRow(form, tr("Node number:"), "summaryNodeNumber");
    channel_ = AddRow(form, tr("Channel:"), "summaryChannel");
    connections_ = AddRow(form, tr("Connections:"), "summaryConnections");
    routes_ = AddRow(form, tr("Routing entries:"), "summaryRoutes");
    alerts_ = AddRow(form, tr("SMS alerts:"), "summaryAlerts");
    dialups_ = AddRow(form, tr("Dialup connections:"), "summaryDialups");
    layout->addWidget(box);
    layout->addStretch(1);
}

QLabel* SummaryView::AddRow(QFormLayout* form, const QString& label, const char* id)
{
    auto* value = new QLabel(form->parentWidget());
    value->setObjectName(QString::fromLatin1(id));
    value->setTextFormat(Qt::PlainText); // texts from a file or a node
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    value->setAccessibleName(label.chopped(1));
    form->addRow(label, value);
    return value;
}

void SummaryView::Show(const editor::EditorContents& e)
{
    name_->setText(Shown(e.networkName));
    node_->setText(Shown(e.nodeNumber));
    channel_->setText(Shown(e.channel));
    connections_->setText(QString::number(e.connections.lines.size()));
    routes_->setText(tr("%1 primary, %2 secondary")
                         .arg(e.primaryRoutes.words.size())
                         .arg(e.secondaryRoutes.words.size()));
    alerts_->setText(QString::number(e.alerts.lines.size()));
    dialups_->setText(QString::number(editor::DialupCount(e.dialups)));
}

} // namespace mnm::app
