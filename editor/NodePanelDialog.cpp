#include "editor/NodePanelDialog.h"

#include <QApplication>
#include <QFocusEvent>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include "app/model/ConfigDocument.h"
#include "editor/AlertsPage.h"
#include "editor/ConnectionsPage.h"
#include "editor/DialupPage.h"
#include "editor/ModbusPage.h"
#include "editor/NetworkPage.h"
#include "editor/RoutingPage.h"
#include "editor/TelephoneBlock.h"
#include "editor/WidgetWrites.h"
#include "editor/model/PageRules.h"

namespace mnm::editor {

namespace {

constexpr int kTabStrip = 15001;

} // namespace

NodePanelDialog::NodePanelDialog(app::ConfigDocument& document, QWidget* parent)
    : QWidget(parent), document_(document)
{
    setObjectName("DIALOG_NODEPANEL");
    setFocusPolicy(Qt::StrongFocus); // passed on to the page's first field
    pages_ = new QStackedWidget(this);
    pages_->setObjectName("NodePanelPages");
    network_ = new NetworkPage(*this, pages_);
    connections_ = new ConnectionsPage(*this, pages_);
    routing_ = new RoutingPage(*this, pages_);
    modbus_ = new ModbusPage(*this, pages_);
    sms_ = new AlertsPage(*this, pages_);
    dialup_ = new DialupPage(*this, pages_);
    for (QWidget* page : std::initializer_list<QWidget*>{network_, connections_, routing_, modbus_, sms_, dialup_})
        pages_->addWidget(page);
    telephone_ = new TelephoneBlock(*this);
    routing_->HoldTelephoneBlock(telephone_);

    tabs_ = new QTabBar(this);
    tabs_->setObjectName(QString::number(kTabStrip));
    tabs_->setShape(QTabBar::RoundedSouth);
    tabs_->setExpanding(false);
    tabs_->setAccessibleName(tr("Pages"));
    connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
        if (index >= 0) SwitchPage(tabs_->tabData(index).toInt());
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(pages_, 1);
    layout->addWidget(tabs_);

    // The pages by keyboard, as in any tabbed window.
    const auto shortcut = [this](QKeySequence keys, int delta) {
        auto* s = new QShortcut(keys, this, [this, delta] { StepTab(delta); });
        s->setContext(Qt::WidgetWithChildrenShortcut);
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown), +1);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), +1);
    shortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1);

    ContentsReplaced();
    SwitchPage(kNetworkPage);
}

const EditorContents& NodePanelDialog::Contents() const { return document_.Contents(); }

void NodePanelDialog::Edit(const Change& change)
{
    const bool first = document_.Edit(change);
    RefreshAll();
    if (first) emit ConfigurationChanged();
}

bool NodePanelDialog::EditIfChanged(const Change& change)
{
    EditorContents next = Contents();
    change(next);
    if (next == Contents()) {
        RefreshAll();
        return false;
    }
    Edit([&next](EditorContents& e) { e = std::move(next); });
    return true;
}

void NodePanelDialog::Browse(const Change& change)
{
    document_.Browse(change);
    RefreshAll();
}

void NodePanelDialog::ContentsReplaced()
{
    network_->Reset();
    connections_->Reset();
    dialup_->Reset();
    sms_->Reset();
    routing_->Reset();
    RefreshAll();
}

void NodePanelDialog::SwitchPage(int page)
{
    if (page < kNetworkPage || page > kDialupPage) return;
    page_ = page;
    pages_->setCurrentIndex(page - 1);
    // One block of controls, shown beside whichever page uses it.
    if (page == kRoutingPage) routing_->HoldTelephoneBlock(telephone_);
    if (page == kDialupPage) dialup_->HoldTelephoneBlock(telephone_);
    RefreshAll();
}

void NodePanelDialog::StepTab(int delta)
{
    const int n = tabs_->count();
    if (n > 0) tabs_->setCurrentIndex((tabs_->currentIndex() + delta + n) % n);
}

void NodePanelDialog::RebuildTabs()
{
    const std::vector<Tab> tabs = TabSet(Contents());
    bool same = static_cast<int>(tabs.size()) == tabs_->count();
    for (std::size_t i = 0; same && i < tabs.size(); ++i)
        same = tabs_->tabText(static_cast<int>(i)) == QString::fromStdString(tabs[i].text);
    if (same) return;

    const std::string selected = tabs_->currentIndex() >= 0 ? tabs_->tabText(tabs_->currentIndex()).toStdString() : "";
    const QSignalBlocker quiet(tabs_);
    while (tabs_->count() > 0) tabs_->removeTab(0);
    for (const Tab& tab : tabs) tabs_->setTabData(tabs_->addTab(QString::fromStdString(tab.text)), tab.page);
    if (const std::optional<int> again = ReselectedTab(tabs, selected)) {
        tabs_->setCurrentIndex(*again);
        return;
    }
    // The page shown has no tab any more: its controls must not stay
    // editable out of sight, so the Network page comes forward.
    tabs_->setCurrentIndex(0);
    page_ = kNetworkPage;
    pages_->setCurrentIndex(kNetworkPage - 1);
}

void NodePanelDialog::RefreshAll()
{
    if (refreshing_) return;
    refreshing_ = true;
    const bool detectable = NetworkRules(Contents(), page_ == kNetworkPage).stateChangesDetectable;
    document_.Browse([detectable](EditorContents& e) { SetChangeDetection(e.connections, detectable); });
    RebuildTabs();
    network_->Refresh(page_ == kNetworkPage);
    routing_->Refresh(page_ == kRoutingPage);
    modbus_->Refresh();
    connections_->Refresh(page_ == kConnectionsPage);
    const EditorContents& e = Contents();
    sms_->Refresh(page_ == kSmsPage);
    dialup_->Refresh(page_ == kDialupPage);
    telephone_->Refresh(TelephoneBlockRulesFor(e, page_, dialup_->PrimaryChosen(), routing_->TelephoneChosen()));
    refreshing_ = false;
}

void NodePanelDialog::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    // The editor itself takes no input: the focus goes on, to the page's
    // first field (or back, when it came backwards).
    if (event->reason() == Qt::BacktabFocusReason)
        focusPreviousChild();
    else
        focusNextChild();
}

void NodePanelDialog::DisableAll()
{
    if (QWidget* focused = QApplication::focusWidget(); focused && pages_->isAncestorOf(focused))
        focusBeforeTransfer_ = focused;
    pages_->setEnabled(false);
}

void NodePanelDialog::EnableAll()
{
    pages_->setEnabled(true);
    RefreshAll();
    // Disabling took the focus away; the keyboard must work again without a click.
    if (!isVisible() || (QApplication::focusWidget() && window()->isAncestorOf(QApplication::focusWidget()))) return;
    QWidget* before = focusBeforeTransfer_.data();
    if (before && before->isVisible() && before->isEnabled())
        before->setFocus();
    else
        setFocus();
}

void NodePanelDialog::ShowModules(const NodeStaticData* data)
{
    connections_->ShowModules(data);
    sms_->ShowModules(data);
    dialup_->ShowModules(data);
}

void NodePanelDialog::Tick() { network_->Tick(); }

} // namespace mnm::editor
