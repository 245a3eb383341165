// The configuration editor: the pages of the open configuration over one
// page stack, and the tab strip under it that chooses the page. It edits the
// document's contents; every page shows them again after each change.
#pragma once

#include <QPointer>
#include <QWidget>

#include "editor/PageHost.h"
#include "nodeconf/NodeStaticData.h"

class QStackedWidget;
class QTabBar;

namespace mnm::app {
class ConfigDocument;
}

namespace mnm::editor {

class AlertsPage;
class ConnectionsPage;
class DialupPage;
class ModbusPage;
class NetworkPage;
class RoutingPage;
class TelephoneBlock;

class NodePanelDialog : public QWidget, public PageHost {
    Q_OBJECT
public:
    explicit NodePanelDialog(app::ConfigDocument& document, QWidget* parent = nullptr);

    // After New, Open or Receive: the pages' own inputs start again and
    // every page shows the new contents.
    void ContentsReplaced();
    // Every page's enabling and visibility applied again.
    void RefreshAll() override;
    // While a transfer with the node runs nothing can be edited; afterwards
    // each page's own rules decide again.
    void DisableAll();
    void EnableAll();
    // The connected node's hardware for the modules trees; none when no node is connected.
    void ShowModules(const NodeStaticData* data);
    // The frame's periodic update (every 50 ms).
    void Tick();
    // Shows page 1..6 (any other number is ignored).
    void SwitchPage(int page);

    const EditorContents& Contents() const override;
    void Edit(const Change& change) override;
    bool EditIfChanged(const Change& change) override;
    void Browse(const Change& change) override;
    int CurrentPage() const override { return page_; }

    QTabBar* Tabs() const { return tabs_; }

signals:
    // The first edit since the configuration was opened, made or saved.
    void ConfigurationChanged();

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    void RebuildTabs();
    void StepTab(int delta);

    app::ConfigDocument& document_;
    int page_ = 0;
    QPointer<QWidget> focusBeforeTransfer_;
    bool refreshing_ = false;
    QStackedWidget* pages_;
    QTabBar* tabs_;
    NetworkPage* network_;
    ConnectionsPage* connections_;
    RoutingPage* routing_;
    ModbusPage* modbus_;
    AlertsPage* sms_;
    DialupPage* dialup_;
    TelephoneBlock* telephone_;
};

} // namespace mnm::editor
