#include "app/PortMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include "app/PortCheck.h"
#include "app/model/CommandIds.h"
#include "app/model/PortList.h"
#include "connection/NodeConnection.h"

namespace mnm::app {

namespace {
// The chosen port's accessibility is looked at once a second, not every tick.
constexpr int kPortCheckTicks = 20;
const char* const kVirtualNodeName = "VirtualNode";

bool IsVirtualNode(const QAction* action) { return action->objectName() == QLatin1String(kVirtualNodeName); }

} // namespace

PortMenu::PortMenu(QMenu* menu, NodeConnection& connection, std::function<bool()> mayChange, QObject* parent)
    : QObject(parent), menu_(menu), connection_(connection), mayChange_(std::move(mayChange)),
      group_(new QActionGroup(this))
{
}

void PortMenu::Build(const PortMenuSettings& settings)
{
    PortScan scan;
    scan.root = settings.deviceRoot;
    scan.savedPort = settings.savedPort;
    scan.disallowPorts = settings.disallowPorts;
    int id = kCmdPortFirst;
    QString selected;
    for (const PortEntry& entry : ListPorts(scan)) {
        const bool virtualNode = entry.kind == PortKind::kVirtualNode;
        auto* action = new QAction(QString::fromStdString(PortMenuText(entry)), this);
        action->setObjectName(virtualNode ? QString::fromLatin1(kVirtualNodeName) : QString::number(id));
        action->setCheckable(true);
        action->setEnabled(entry.enabled);
        action->setToolTip(QString::fromStdString(entry.reason));
        action->setData(QString::fromStdString(entry.path)); // the path is data, never parsed from the text
        group_->addAction(action);
        menu_->addAction(action);
        connect(action, &QAction::triggered, this, [this, action] { Choose(action); });
        if (!virtualNode) actions_[id++] = action;
        if (entry.selected) selected = QString::fromStdString(entry.path);
        if (id > kCmdPortLast) break;
    }
    if (settings.allowNone) {
        menu_->addSeparator();
        auto* none = new QAction(tr("[None]"), this);
        none->setObjectName(QString::number(kCmdPortNone));
        none->setCheckable(true);
        group_->addAction(none);
        menu_->addAction(none);
        connect(none, &QAction::triggered, this, [this, none] { Choose(none); });
        actions_[kCmdPortNone] = none;
    }
    saved_ = selected.toStdString();
    CheckOnly(selected);
    Select(selected);
}

QAction* PortMenu::Action(int commandId) const
{
    const auto found = actions_.find(commandId);
    return found == actions_.end() ? nullptr : found->second;
}

void PortMenu::Choose(QAction* action)
{
    if (action == nullptr) return;
    const bool virtualNode = IsVirtualNode(action);
    const QString path = virtualNode ? QString::fromStdString(connection_.StartVirtualNode()) : action->data().toString();
    if (path != selected_ && mayChange_ && !mayChange_()) {
        CheckOnly(selected_);
        return;
    }
    if (virtualNode)
        action->setData(path); // so that a refused change can check it again
    else
        saved_ = path.toStdString(); // the virtual node's terminal is never saved as Port
    action->setChecked(true);
    Select(path);
}

void PortMenu::ChooseVirtualNode()
{
    for (QAction* action : group_->actions())
        if (IsVirtualNode(action)) return Choose(action);
}

void PortMenu::CheckOnly(const QString& path)
{
    for (QAction* action : group_->actions())
        action->setChecked(!path.isEmpty() && action->data().toString() == path);
}

void PortMenu::Select(const QString& path)
{
    selected_ = path;
    problem_.clear();
    ticks_ = 0;
    connection_.SelectPort(path.toStdString());
}

void PortMenu::Tick()
{
    if (ticks_++ % kPortCheckTicks == 0) CheckNow();
}

const std::string& PortMenu::CheckNow()
{
    problem_ = selected_.isEmpty() ? std::string() : PortProblemNow(selected_.toStdString());
    return problem_;
}

} // namespace mnm::app
