// The editor's pages driven as a user drives them (typing, clicking, picking
// rows) over a real document, controls found by their identifiers.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <iterator>
#include <memory>

#include "app/model/ConfigDocument.h"
#include "controls/UpDown.h"
#include "editor/EntryListView.h"
#include "editor/NodePanelDialog.h"
#include "editor/WizardWindow.h"
#include "editor/model/PageRules.h"
#include "nodeconf/ConfigFile.h"
#include "nodeconf/ErrorCatalogue.h"
#include "sim/SampleConfigurations.h"
#include "tests/app/ScriptedHost.h"

using namespace mnm;
using namespace mnm::editor;

namespace {

template <typename T = QWidget>
T* Control(QWidget* root, int id)
{
    T* w = root->findChild<T*>(QString::number(id));
    if (!w) qFatal("no control %d", id);
    return w;
}

void Type(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    if (text.isEmpty()) QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

QStringList TabTexts(NodePanelDialog& panel)
{
    QStringList texts;
    for (int i = 0; i < panel.Tabs()->count(); ++i) texts << panel.Tabs()->tabText(i);
    return texts;
}

void ChooseTab(NodePanelDialog& panel, const QString& text)
{
    for (int i = 0; i < panel.Tabs()->count(); ++i)
        if (panel.Tabs()->tabText(i) == text) return panel.Tabs()->setCurrentIndex(i);
    qFatal("no tab %s", qPrintable(text));
}

QString Row(QAbstractItemView* view, int row)
{
    return view->model()->index(row, 0).data(Qt::AccessibleTextRole).toString();
}

std::string Bytes(const QString& path)
{
    std::ifstream in(path.toStdString(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A document and the editor over it, as the frame holds them.
struct Editor {
    app::ConfigDocument document;
    std::unique_ptr<NodePanelDialog> panel;
    int changes = 0;

    Editor()
    {
        document.New();
        panel = std::make_unique<NodePanelDialog>(document);
        QObject::connect(panel.get(), &NodePanelDialog::ConfigurationChanged, [this] { ++changes; });
        panel->resize(900, 480);
        panel->show();
    }
    void Replaced(const app::DocumentResult& result)
    {
        QVERIFY(result.report.ok());
        panel->ContentsReplaced();
    }
    template <typename T = QWidget>
    T* operator()(int id) const { return Control<T>(panel.get(), id); }
    void Ticks(int n) const
    {
        for (int i = 0; i < n; ++i) panel->Tick();
    }
};

} // namespace

class NodePanelTest : public QObject {
    Q_OBJECT

private slots:
    void tabsFollowTheHardwareBoxes()
    {
        app::ScriptedHost host;
        Editor ed;
        QCOMPARE(TabTexts(*ed.panel), QStringList{"Network"});
        auto* uhf = ed.operator()<QCheckBox>(7013);
        auto* dialup = ed.operator()<QCheckBox>(7012);
        auto* leased = ed.operator()<QCheckBox>(7011);
        struct Case {
            bool u;
            QCheckBox* modem;
            QStringList tabs;
        };
        const Case cases[] = {
            {false, nullptr, {"Network"}},
            {true, nullptr, {"Network", "Connections", "Routing", "Modbus"}},
            {false, dialup, {"Network", "SMS", "Dialup"}},
            {true, dialup, {"Network", "Connections", "Routing", "SMS", "Dialup"}},
            {false, leased, {"Network", "Leased Line"}},
            {true, leased, {"Network", "Connections", "Routing", "Leased Line"}},
        };
        for (const Case& c : cases) {
            if (uhf->isChecked() != c.u) uhf->click();
            for (QCheckBox* modem : {dialup, leased})
                if (modem->isChecked() != (modem == c.modem)) modem->click();
            QCOMPARE(TabTexts(*ed.panel), c.tabs);
        }

        // Re-selected by text: Dialup becomes Leased Line and stays chosen.
        dialup->click();
        ChooseTab(*ed.panel, "Dialup");
        QCOMPARE(ed.panel->CurrentPage(), static_cast<int>(kDialupPage));
        leased->click();
        QCOMPARE(ed.panel->Tabs()->tabText(ed.panel->Tabs()->currentIndex()), QString("Leased Line"));
        QCOMPARE(ed.panel->CurrentPage(), static_cast<int>(kDialupPage));

        // A page whose tab goes with a new configuration is not left on screen.
        ChooseTab(*ed.panel, "Routing");
        ed.Replaced(ed.document.New());
        QCOMPARE(TabTexts(*ed.panel), QStringList{"Network"});
        QCOMPARE(ed.panel->Tabs()->currentIndex(), 0);
        QCOMPARE(ed.panel->CurrentPage(), static_cast<int>(kNetworkPage));
        QVERIFY(ed.panel->findChild<QWidget*>("NetworkPage")->isVisible());
        QVERIFY(!ed.panel->findChild<QWidget*>("RoutingPage")->isVisible());
        QVERIFY(host.shown.empty()); // no entry to lose: the modem changed without a question
    }

    void aLoadIsNoEditAndTheFirstEditIsPostedOnce()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("edited.mnc");
        QCOMPARE(SaveToPath(EditedConfiguration(), path.toStdString()), 0);
        Editor ed;
        ed.Replaced(ed.document.Open(path.toStdString()));
        QCOMPARE(ed.changes, 0);
        QVERIFY(!ed.document.State().modified);
        QCOMPARE(ed(8018)->property("text").toString(), QString::fromLatin1(EditedConfiguration().networkName));

        Type(ed.operator()<QLineEdit>(8018), "north");
        QCOMPARE(ed(8018)->property("text").toString(), QString("NORTH")); // upper-cased as typed
        Type(ed.operator()<QLineEdit>(8018), "northern");
        QCOMPARE(ed.document.Contents().networkName, std::string("NORTH")); // what a record holds
        QCOMPARE(ed.document.Contents().networkName, std::string("NORTH"));
        Type(ed.operator()<QLineEdit>(8019), "12");
        ed.operator()<QCheckBox>(7007)->click();
        QCOMPARE(ed.changes, 1);
        QVERIFY(ed.document.State().modified);

        // Enter and Escape neither close nor change the editor.
        const EditorContents before = ed.document.Contents();
        for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QTest::keyClick(ed.operator()<QLineEdit>(8018), static_cast<Qt::Key>(key));
            QTest::keyClick(ed.operator()<QCheckBox>(7013), static_cast<Qt::Key>(key));
        }
        QVERIFY(ed.panel->isVisible());
        QVERIFY(ed.document.Contents() == before);

        // Automatic fills run once per typed key, and only into fields the user left alone.
        ed.Replaced(ed.document.New());
        ed.operator()<QCheckBox>(7013)->click();
        Type(ed.operator()<QLineEdit>(8022), "10");
        QCOMPARE(ed.operator()<QLineEdit>(8012)->text(), QString("9"));
        QCOMPARE(ed.operator()<QLineEdit>(8011)->text(), QString("20"));
        Type(ed.operator()<QLineEdit>(8011), "90");
        Type(ed.operator()<QLineEdit>(8022), "30");
        QCOMPARE(ed.operator()<QLineEdit>(8011)->text(), QString("90"));
    }

    void disableAllLeavesNoInputEnabled()
    {
        Editor ed;
        ed.operator()<QCheckBox>(7013)->click();
        ed.operator()<QCheckBox>(7012)->click();
        ed.panel->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(ed.panel.get()));
        for (const char* tab : {"Connections", "Routing", "SMS", "Dialup", "Network"}) {
            ChooseTab(*ed.panel, tab);
            ed.panel->setFocus();
            ed.panel->DisableAll();
            const auto inputs = ed.panel->findChild<QWidget*>("NodePanelPages")->findChildren<QWidget*>();
            for (QWidget* w : inputs) {
                const bool input = qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractButton*>(w) ||
                                   qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractItemView*>(w) ||
                                   qobject_cast<controls::UpDown*>(w);
                if (input && w->isEnabled()) QFAIL(qPrintable(QString(tab) + ": " + w->objectName() + " stays enabled"));
            }
            ed.panel->EnableAll();
            QVERIFY(ed(8018)->isEnabled());
            QVERIFY(QApplication::focusWidget() && !QApplication::focusWidget()->isHidden()); // the keyboard works on
            // Enable all applies each page's rules again: parity stays greyed under eight bits.
            QVERIFY(!ed(6005)->isEnabled());
        }
    }

    void explanationsAndTheirCorrections()
    {
        Editor ed;
        ed.operator()<QCheckBox>(7013)->click();
        auto* wizard = ed.panel->findChild<WizardWindow*>();
        auto* interval = ed.operator()<QLineEdit>(8022);
        auto* retries = ed.operator()<QLineEdit>(8012);
        auto* alarm = ed.operator()<QLineEdit>(8011);
        auto* link1 = ed.panel->findChild<QPushButton*>("WizardLink1");
        auto* link2 = ed.panel->findChild<QPushButton*>("WizardLink2");

        // Transmit Interval: shown half a second after the last key, its link corrects it.
        Type(interval, "10S");
        QCOMPARE(interval->text(), QString("10s"));
        ed.Ticks(9);
        QVERIFY(!wizard->isVisible());
        ed.Ticks(1);
        QVERIFY(wizard->isVisible());
        QVERIFY(QString::fromStdString(wizard->Text()).startsWith("The Transmit Interval must be at least 20s."));
        // Filled from "10" as it was typed; the faulty "10s" changes neither.
        QCOMPARE(retries->text(), QString("9"));
        QCOMPARE(alarm->text(), QString("20"));
        QVERIFY(link1->isVisible());
        QVERIFY(!link2->isVisible());
        link1->click();
        QCOMPARE(interval->text(), QString("20s"));
        QCOMPARE(retries->text(), QString("1"));
        QCOMPARE(alarm->text(), QString("1"));
        QVERIFY(!wizard->isVisible()); // the corrected field is explained again: nothing to say

        // Maximum Retries: two digits pass the form, the range is offered.
        Type(retries, "15");
        ed.Ticks(10);
        QVERIFY(QString::fromStdString(wizard->Text()).startsWith("The Maximum Retries must not be greater than 9."));
        link1->click();
        QCOMPARE(retries->text(), QString("9"));

        // Alarm Delay: two links, up and down to whole minutes.
        Type(interval, "20s");
        Type(alarm, "90s");
        ed.Ticks(10);
        QVERIFY(QString::fromStdString(wizard->Text()).startsWith("The Alarm Delay must be a whole number of minutes."));
        QVERIFY(link1->isVisible() && link2->isVisible());
        QCOMPARE(link2->accessibleName(), QString("To reduce the Alarm Delay to the next whole minute down, press here"));
        link1->click();
        QCOMPARE(alarm->text(), QString("2"));
        Type(alarm, "90s");
        link2->click();
        QCOMPARE(alarm->text(), QString("1"));

        // The hidden correction buttons are there by identifier, and another page hides the window.
        for (int id : {4029, 4028, 3025, 3026, 3027, 3028, 3029, 3030, 3031})
            QVERIFY(!ed.operator()<QPushButton>(id)->isVisible());
        Type(alarm, "0");
        ed.Ticks(10);
        QVERIFY(wizard->isVisible());
        QVERIFY(!wizard->accessibleDescription().isEmpty());
        ChooseTab(*ed.panel, "Routing");
        QVERIFY(!wizard->isVisible());
    }

    void routingAddRemoveAndCopyBack()
    {
        app::ScriptedHost host;
        Editor ed;
        ed.operator()<QCheckBox>(7013)->click();
        ChooseTab(*ed.panel, "Routing");
        auto* list = ed.operator()<EntryListView>(9001);
        auto* destination = ed.operator()<QLineEdit>(8014);
        auto* repeater = ed.operator()<QLineEdit>(8016);
        auto* add = ed.operator()<QPushButton>(4009);
        QVERIFY(list->isVisible());
        QVERIFY(!ed(9002)->isVisible());

        // No modem: no telephone route can be chosen.
        QVERIFY(!ed(6016)->isEnabled());
        Type(destination, "5");
        Type(repeater, "7");
        add->click();
        Type(destination, "0");
        Type(repeater, "0");
        add->click();
        Type(destination, "9");
        Type(repeater, "255");
        add->click();
        QCOMPARE(list->model()->rowCount(), 3);
        QCOMPARE(Row(list, 0), QString("5 by repeater 7"));
        QCOMPARE(Row(list, 1), QString("[Any] [Direct]"));
        QCOMPARE(Row(list, 2), QString("9 [FAIL]"));
        QCOMPARE(list->currentIndex().row(), 2); // the new line is selected
        QVERIFY(host.shown.empty());

        // Only digits name a node.
        for (const char* text : {"0x1F", "12x", "300"}) {
            Type(destination, text);
            add->click();
            QCOMPARE(host.shown.back().text, QString("Error -10 0 on parsing Routing Instruction"));
        }
        Type(destination, "4");
        Type(repeater, "256");
        add->click();
        QCOMPARE(host.shown.back().text, QString("Error -12 0 on parsing Routing Instruction"));
        QCOMPARE(list->model()->rowCount(), 3);

        // Picking a row copies it back; removing selects the line that took its place.
        list->setCurrentIndex(list->model()->index(0, 0));
        QCOMPARE(destination->text(), QString("5"));
        QCOMPARE(repeater->text(), QString("7"));
        QCOMPARE(ed.document.Contents().primaryRoutes.selected, 0);
        ed.operator()<QPushButton>(4013)->click();
        QCOMPARE(list->model()->rowCount(), 2);
        QCOMPARE(Row(list, 0), QString("[Any] [Direct]"));
        QCOMPARE(list->currentIndex().row(), 0);
        QCOMPARE(destination->text() + "/" + repeater->text(), QString("0/0")); // the edits show what is selected

        // Secondary shows the other table.
        ed.operator()<QRadioButton>(6002)->click();
        QVERIFY(ed(9002)->isVisible());
        QVERIFY(!list->isVisible());
    }

    void connectionsConnectRangesRemoveAndCopyBack()
    {
        app::ScriptedHost host;
        Editor ed;
        ed.operator()<QCheckBox>(7013)->click();
        ChooseTab(*ed.panel, "Connections");
        auto* list = ed.operator()<EntryListView>(9003);
        auto* input = ed.operator()<QLineEdit>(8020);
        auto* output = ed.operator()<QLineEdit>(8021);
        auto* connect = ed.operator()<QPushButton>(4017);

        Type(input, "D1.1-8");
        Type(output, "D2.1");
        connect->click();
        QCOMPARE(list->model()->rowCount(), 8);
        QCOMPARE(Row(list, 0), QString("D1.1 to D2.1, every interval"));
        QCOMPARE(Row(list, 7), QString("D1.8 to D2.8, every interval"));
        QCOMPARE(list->currentIndex().row(), 7);
        QVERIFY(host.shown.empty());

        // The page's own message boxes, and nothing added.
        Type(output, "S2.1");
        connect->click();
        QCOMPARE(host.shown.back().title, QString("Add Connection"));
        QCOMPARE(host.shown.back().text, QString("Invalid Destination Endpoint"));
        Type(input, "A1.1");
        Type(output, "A2.1");
        QVERIFY(ed(8010)->isVisible() && !ed(8010)->isEnabled()); // the threshold waits for the box
        ed.operator()<QCheckBox>(7009)->click();
        Type(ed.operator()<QLineEdit>(8010), "101");
        connect->click();
        QCOMPARE(host.shown.back().text, QString("Invalid Percentage"));
        QCOMPARE(list->model()->rowCount(), 8);
        Type(ed.operator()<QLineEdit>(8010), "25");
        connect->click();
        QCOMPARE(Row(list, 0), QString("A1.1 to A2.1, every interval, on change 25%"));

        // Pulses to analog: the maximum PPM and offset instead of the change box.
        Type(input, "P1.1");
        QVERIFY(ed(8001)->isVisible() && !ed(7009)->isVisible());

        // A range stopped part-way keeps what it added, and that is an edit.
        QTemporaryDir dir;
        ed.Replaced(ed.document.New());
        ed.operator()<QCheckBox>(7013)->click();
        Type(ed.operator()<QLineEdit>(8018), "EAST");
        for (auto [id, text] : {std::pair{8019, "3"}, {8017, "1"}, {8012, "3"}})
            Type(ed.operator()<QLineEdit>(id), text);
        Type(ed.operator()<QLineEdit>(8022), "10");
        QTest::keyClicks(ed.operator()<QComboBox>(21006)->lineEdit(), "500");
        NodeConf saved;
        QVERIFY2(ed.document.Store(saved).ok(), MessageOf(ed.document.Store(saved)).c_str());
        QVERIFY(ed.document.SaveTo(saved, dir.filePath("east.mnc").toStdString()).report.ok());
        QVERIFY(!ed.document.State().modified);
        const int changes = ed.changes;
        ChooseTab(*ed.panel, "Connections");
        Type(input, "D1.250-255");
        Type(output, "D2.252");
        connect->click();
        QCOMPARE(host.shown.back().text, QString("Unable to add Connection"));
        QCOMPARE(list->model()->rowCount(), 4);
        QVERIFY(ed.document.State().modified);
        QCOMPARE(ed.changes, changes + 1);

        // Copy back and remove.
        list->setCurrentIndex(list->model()->index(1, 0));
        QCOMPARE(input->text(), QString("D1.251"));
        QCOMPARE(output->text(), QString("D2.253"));
        ed.operator()<QPushButton>(4016)->click();
        QCOMPARE(list->model()->rowCount(), 3);
        QCOMPARE(input->text(), QString("D1.252")); // the row that took its place
    }

    void dialupAddCopyBackRemoveAndTheModemSwitch()
    {
        app::ScriptedHost host;
        Editor ed;
        ed.operator()<QCheckBox>(7012)->click();
        ChooseTab(*ed.panel, "Dialup");
        auto* list = ed.operator()<EntryListView>(26019);
        auto* route = ed.operator()<QComboBox>(26022);
        auto* add = ed.operator()<QPushButton>(26020);

        // A secondary with nothing to join: the page's own message.
        route->setCurrentIndex(1);
        Type(ed.operator()<QLineEdit>(26006), "D1.1");
        Type(ed.operator()<QLineEdit>(26016), "5D1.1");
        add->click();
        QCOMPARE(host.shown.back().title, QString("Error Adding Dialup Connection"));
        QCOMPARE(host.shown.back().text,
                 QString("There is no Primary Connection with which to associate the new Secondary Connection"));
        QCOMPARE(list->model()->rowCount(), 0);

        // A primary on telephone page 2, every 1h30; then its secondary.
        route->setCurrentIndex(0);
        emit ed.operator()<controls::UpDown>(14003)->Stepped(+1);
        Type(ed.operator()<QLineEdit>(14004), "0123");
        ed.operator()<QCheckBox>(26013)->click();
        Type(ed.operator()<QLineEdit>(26023), "1h30");
        add->click();
        QCOMPARE(Row(list, 0), QString("Input D1.1 to node 5 D1.1, telephone 2, every 1h30"));
        route->setCurrentIndex(1);
        Type(ed.operator()<QLineEdit>(26006), "D1.2");
        Type(ed.operator()<QLineEdit>(26016), "5D1.2");
        add->click();
        QCOMPARE(list->model()->rowCount(), 2);
        QCOMPARE(Row(list, 1), QString("Secondary: Input D1.2 to node 5 D1.2"));

        // Copy back of the primary; Remove refuses a primary with a secondary.
        list->setCurrentIndex(list->model()->index(0, 0));
        QCOMPARE(route->currentIndex(), 0);
        QCOMPARE(ed.operator()<QLineEdit>(26023)->text(), QString("1h30"));
        QCOMPARE(ed.operator()<QLabel>(14002)->text(), QString("2"));
        ed.operator()<QPushButton>(26025)->click();
        QCOMPARE(list->model()->rowCount(), 2);

        // Leased Line: asked, and Yes takes the primary and its secondary.
        host.answers = {QMessageBox::Yes};
        ChooseTab(*ed.panel, "Network");
        ed.operator()<QCheckBox>(7011)->click();
        QCOMPARE(host.shown.back().title, QString("Selecting Leased Line"));
        QVERIFY(ed.operator()<QCheckBox>(7011)->isChecked());
        QCOMPARE(ed.document.Contents().dialups.lines.size(), std::size_t{0});
        QCOMPARE(TabTexts(*ed.panel), (QStringList{"Network", "Leased Line"}));
    }

    void telephoneRoutesUseTheTelephoneBlock()
    {
        Editor ed;
        ed.operator()<QCheckBox>(7013)->click();
        ed.operator()<QCheckBox>(7012)->click();
        ChooseTab(*ed.panel, "Routing");
        auto* block = ed.panel->findChild<QWidget*>("TelephoneBlock");
        QVERIFY(ed.panel->findChild<QWidget*>("RoutingPage")->isAncestorOf(block));
        QVERIFY(!ed(14004)->isEnabled()); // greyed while Repeater Node is chosen
        ed.operator()<QRadioButton>(6016)->click();
        QVERIFY(ed(14004)->isEnabled());
        QVERIFY(!ed(8016)->isEnabled());
        auto* upDown = ed.operator()<controls::UpDown>(14003);
        emit upDown->Stepped(+1);
        emit upDown->Stepped(+1);
        QCOMPARE(ed.operator()<QLabel>(14002)->text(), QString("3"));
        Type(ed.operator()<QLineEdit>(14004), "0123 456");
        Type(ed.operator()<QLineEdit>(8014), "12");
        ed.operator()<QPushButton>(4009)->click();
        QCOMPARE(Row(ed.operator()<EntryListView>(9001), 0), QString("12 by telephone 3"));

        // The same block, with the same number, under the Dialup tab.
        ChooseTab(*ed.panel, "Dialup");
        QVERIFY(ed.panel->findChild<QWidget*>("DialupPage")->isAncestorOf(block));
        QCOMPARE(ed.operator()<QLineEdit>(14004)->text(), QString("0123 456"));
        QVERIFY(ed(14004)->isEnabled());

        // Back beside the Telephone choice, the block's inputs follow it in the tab order.
        ChooseTab(*ed.panel, "Routing");
        ed.panel->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(ed.panel.get()));
        ed(6016)->setFocus();
        QStringList order;
        for (int i = 0; i < 6; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(order, (QStringList{"14004", "14003", "14007", "14009", "4009", "4013"}));
    }

    void routingColumnsFollowTheWidth()
    {
        Editor ed;
        ed.operator()<QCheckBox>(7013)->click();
        ChooseTab(*ed.panel, "Routing");
        auto* list = ed.operator()<EntryListView>(9001);
        auto* header = ed.operator()<QLabel>(3005);
        auto* routing = ed.operator()<QLabel>(3004);
        auto* metric = ed.operator()<QLabel>(1024);
        QWidget* page = ed.panel->findChild<QWidget*>("RoutingPage");
        // Where the rows start, seen from the headers' strip.
        const auto leftOfRows = [&] {
            return list->viewport()->mapTo(page, QPoint(0, 0)).x() - header->parentWidget()->mapTo(page, QPoint(0, 0)).x();
        };
        for (int panelWidth : {900, 600}) {
            ed.panel->resize(panelWidth, 480);
            QApplication::processEvents();
            const int w = list->viewport()->width();
            // Without metrics: Destination from 2/40 to 19/40, Routing from 24/40 to 38/40, no Metric.
            QCOMPARE(header->x(), leftOfRows() + w * 2 / 40);
            QCOMPARE(header->width(), w * 19 / 40 - w * 2 / 40);
            QCOMPARE(routing->x(), leftOfRows() + w * 24 / 40);
            QVERIFY(!metric->isVisible());
        }
        // A loaded entry with a metric switches every column to the metric set.
        ed.panel->Browse([](EditorContents& e) { AddRoute(e.primaryRoutes, 0x03050507u); });
        const int w = list->viewport()->width();
        QCOMPARE(header->x(), leftOfRows() + w * 2 / 40);
        QCOMPARE(routing->x(), leftOfRows() + w * 18 / 40);
        QVERIFY(metric->isVisible());
        QCOMPARE(metric->x(), leftOfRows() + w * 29 / 40);
        QCOMPARE(Row(list, 0), QString("5 by repeater 7 2"));
    }

    void everyTableShownOnEveryPageComesBackTheSame()
    {
        QTemporaryDir dir;
        const QString original = dir.filePath("original.mnc"), saved = dir.filePath("saved.mnc");
        NodeConf full = EditedConfiguration();
        full.networkFlags = 0; // a dialup modem: every list page shows
        QCOMPARE(SaveToPath(full, original.toStdString()), 0);
        Editor ed;
        ed.Replaced(ed.document.Open(original.toStdString()));
        QCOMPARE(TabTexts(*ed.panel), (QStringList{"Network", "Connections", "Routing", "SMS", "Dialup"}));
        // Each page shown, and a row of each list picked (a copy-back is no edit).
        for (auto [tab, list] : {std::pair{"Connections", 9003}, {"Routing", 9001}, {"SMS", 9005}, {"Dialup", 26019}}) {
            ChooseTab(*ed.panel, tab);
            auto* view = ed.operator()<EntryListView>(list);
            QVERIFY2(view->model()->rowCount() > 0, tab);
            view->setCurrentIndex(view->model()->index(0, 0));
            view->setCurrentIndex(view->model()->index(view->model()->rowCount() - 1, 0));
        }
        QCOMPARE(ed.changes, 0);
        NodeConf record;
        QVERIFY(ed.document.Store(record).ok());
        QVERIFY(ed.document.SaveTo(record, saved.toStdString()).report.ok());
        QCOMPARE(Bytes(saved), Bytes(original));
    }

    void editedOnEveryPageSurvivesSaveAndOpen()
    {
        QTemporaryDir dir;
        const QString first = dir.filePath("first.mnc"), second = dir.filePath("second.mnc");
        Editor ed;
        ed.operator()<QCheckBox>(7013)->click();
        Type(ed.operator()<QLineEdit>(8018), "ridge");
        Type(ed.operator()<QLineEdit>(8019), "17");
        Type(ed.operator()<QLineEdit>(8017), "3");
        QTest::keyClicks(ed.operator()<QComboBox>(21006)->lineEdit(), "250");
        Type(ed.operator()<QLineEdit>(8022), "2m");
        ChooseTab(*ed.panel, "Modbus");
        ed.operator()<QRadioButton>(6314)->click();
        ed.operator()<QRadioButton>(6003)->click();
        ed.operator()<QRadioButton>(6006)->click();
        ed.operator()<QRadioButton>(6004)->click(); // odd parity stays, greyed, under eight bits
        QVERIFY(!ed(6006)->isEnabled());
        ed.operator()<QCheckBox>(7012)->click(); // the Modbus tab goes; its settings stay
        ChooseTab(*ed.panel, "Routing");
        Type(ed.operator()<QLineEdit>(8014), "4");
        Type(ed.operator()<QLineEdit>(8016), "9");
        ed.operator()<QPushButton>(4009)->click();
        ed.operator()<QRadioButton>(6002)->click();
        Type(ed.operator()<QLineEdit>(8014), "0");
        Type(ed.operator()<QLineEdit>(8016), "255");
        ed.operator()<QPushButton>(4009)->click();
        ed.operator()<QRadioButton>(6016)->click();
        Type(ed.operator()<QLineEdit>(14004), "555 0100");
        Type(ed.operator()<QLineEdit>(8014), "8");
        ed.operator()<QPushButton>(4009)->click();
        Type(ed.operator()<QLineEdit>(14007), "3");
        Type(ed.operator()<QLineEdit>(14009), "30");

        NodeConf record;
        QVERIFY(ed.document.Store(record).ok());
        QVERIFY(ed.document.SaveTo(record, first.toStdString()).report.ok());
        QCOMPARE(std::string(record.networkName), std::string("RIDGE"));
        QCOMPARE(record.nodeNumber, 17);
        QCOMPARE(record.transmitPower, 250);
        QCOMPARE(record.transmitInterval, 120);
        QCOMPARE(record.highwayEncoding, 'R');
        QCOMPARE(record.highwayCharSize, 8);
        QCOMPARE(record.highwayParity, 'O');
        QCOMPARE(record.primaryRouteCount, 1);
        QCOMPARE(record.primaryRoutes[0], 0x00040409u);
        QCOMPARE(record.secondaryRouteCount, 2);
        QCOMPARE(record.secondaryRoutes[0], 0x000000FFu);
        QCOMPARE(record.secondaryRoutes[1], 0x80080801u);
        QCOMPARE(std::string(record.dialupNumbers[0]), std::string("555 0100"));
        QCOMPARE(record.redialAttempts, 3);

        Editor again;
        again.Replaced(again.document.Open(first.toStdString()));
        NodeConf reread;
        QVERIFY(again.document.Store(reread).ok());
        QVERIFY(again.document.SaveTo(reread, second.toStdString()).report.ok());
        QCOMPARE(Bytes(second), Bytes(first));
        QCOMPARE(again.operator()<QLineEdit>(8018)->text(), QString("RIDGE"));
        QCOMPARE(TabTexts(*again.panel), (QStringList{"Network", "Connections", "Routing", "SMS", "Dialup"}));
    }
};

QTEST_MAIN(NodePanelTest)
#include "NodePanelTest.moc"
