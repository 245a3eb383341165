// The SMS page driven as a user drives it (picking, typing, choosing,
// clicking) over a host that applies each change to plain contents; controls
// are found by their identifiers.
#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidgetItemIterator>

#include <cstdlib>

#include "controls/UpDown.h"
#include "editor/AlertsPage.h"
#include "editor/EntryListView.h"
#include "editor/ModulesTree.h"
#include "editor/PageHost.h"
#include "editor/model/PageRules.h"
#include "tests/app/ScriptedHost.h"

using namespace mnm;
using namespace mnm::editor;

namespace {

enum Id {
    kTree = 13003, kList = 9005, kRemove = 4026, kUp = 4005, kDown = 4006, kAdd = 4027, kDirection = 21007,
    kEndpoint = 8034, kDigital = 21008, kAnalog = 21010, kLimit = 8032, kUnits = 21011, kMessagePage = 22004,
    kMessageTurn = 17003, kMessage = 8007, kCharacters = 22002, kTelephonePage = 22003, kTelephoneTurn = 17002,
    kTelephone = 8006, kResetWhenOver = 1020, kResetWhenUnder = 1021, kHysteresis = 8005, kHysteresisUnits = 1019,
};
enum AnalogCondition { kChangesBy = 0, kGoesOver = 3, kGoesUnder = 4 };
enum Unit { kVolts = 1, kPercent = 2 };
constexpr int kTurnsOn = 1;

// The node panel's part: each change applied, then the page shown again.
class FakeHost : public PageHost {
public:
    EditorContents contents;
    AlertsPage* page = nullptr;
    int edits = 0;

    const EditorContents& Contents() const override { return contents; }
    void Edit(const Change& change) override
    {
        change(contents);
        ++edits;
        Show();
    }
    bool EditIfChanged(const Change& change) override
    {
        const EditorContents before = contents;
        change(contents);
        const bool changed = !(before == contents);
        edits += changed ? 1 : 0;
        Show();
        return changed;
    }
    void RefreshAll() override { Show(); }
    void Browse(const Change& change) override
    {
        change(contents);
        Show();
    }
    int CurrentPage() const override { return kSmsPage; }

private:
    void Show()
    {
        if (page) page->Refresh(true);
    }
};

NodeStaticData Node()
{
    NodeStaticData data;
    ClearNodeStaticData(data);
    AddCardName(data, "IO-4A");
    AddChannelGroup(data, 0, 'a', 1, 4);
    AddChannelGroup(data, 0, 'D', 1, 2);
    return data;
}

struct SmsPage {
    FakeHost host;
    AlertsPage page{host};
    NodeStaticData node = Node();

    SmsPage()
    {
        host.page = &page;
        page.ShowModules(&node);
        page.resize(900, 480);
        page.show();
        page.Refresh(true);
    }
    template <typename T = QWidget>
    T* operator()(int id) const
    {
        T* w = page.findChild<T*>(QString::number(id));
        if (!w) qFatal("no control %d", id);
        return w;
    }
    QString Text(int id) const
    {
        QWidget* w = operator()(id);
        if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text();
        if (auto* box = qobject_cast<QComboBox*>(w)) return box->currentText();
        return qobject_cast<QLabel*>(w)->text();
    }
    bool Shown(int id) const { return !operator()(id)->isHidden(); }

    void Type(int id, const QString& text) const
    {
        auto* edit = operator()<QLineEdit>(id);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
    // By the keyboard, one entry at a time, as a user steps through a drop-down.
    void Choose(int id, int index) const
    {
        auto* box = operator()<QComboBox>(id);
        for (int step = 0; step < box->count() && box->currentIndex() != index; ++step)
            QTest::keyClick(box, box->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
        QCOMPARE(box->currentIndex(), index);
    }
    void Turn(int id, int steps) const
    {
        for (int i = 0; i < std::abs(steps); ++i)
            QTest::keyClick(operator()(id), steps > 0 ? Qt::Key_Up : Qt::Key_Down);
    }
    void Pick(char kind, int card, int channel) const
    {
        auto* tree = operator()<ModulesTree>(kTree);
        for (QTreeWidgetItemIterator it(tree); *it; ++it) {
            if ((*it)->data(0, Qt::UserRole).value<quint32>() == ChannelItemValue(kind, card, channel))
                return tree->setCurrentItem(*it);
        }
        qFatal("no channel %c%d.%d", kind, card, channel);
    }
    void Click(int id) const { operator()<QPushButton>(id)->click(); }
    void ClickRow(int row) const
    {
        auto* list = operator()<EntryListView>(kList);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(row, 0)).center());
    }
    QString Row(int row) const
    {
        return operator()<EntryListView>(kList)->model()->index(row, 0).data(Qt::AccessibleTextRole).toString();
    }
};

} // namespace

class AlertsPageTest : public QObject {
    Q_OBJECT

private slots:
    void pickingAChannelStartsAFreshConditionAndKeepsTheTyping()
    {
        SmsPage p;
        p.Type(kEndpoint, "a1.1");
        p.Choose(kAnalog, kGoesOver);
        p.Choose(kUnits, kVolts);
        p.Type(kLimit, "4.5");
        p.Type(kHysteresis, "4");
        p.Turn(kMessageTurn, +1);
        p.Type(kMessage, "kept on page 2");
        p.Turn(kTelephoneTurn, +2);
        p.Type(kTelephone, "0123");
        const int edits = p.host.edits;

        p.Pick('a', 1, 2);
        QCOMPARE(p.Text(kEndpoint), QString("A1.2"));
        QCOMPARE(p.Text(kDirection), QString("Input"));
        QVERIFY(p.Shown(kAnalog) && !p.Shown(kDigital));
        QCOMPARE(p.Text(kAnalog), QString("changes by"));
        QCOMPARE(p.Text(kDigital), QString("changes state"));
        QCOMPARE(p.Text(kUnits), QString("% FSD"));
        QCOMPARE(p.Text(kLimit), QString());
        QCOMPARE(p.Text(kHysteresis), QString());
        QVERIFY(!p.Shown(kHysteresis) && !p.Shown(kResetWhenOver) && !p.Shown(kResetWhenUnder));
        QCOMPARE(p.Text(kMessagePage), QString("1"));
        QCOMPARE(p.Text(kTelephonePage), QString("1"));
        QCOMPARE(p.Text(kMessage), QString());
        QCOMPARE(p.Text(kCharacters), QString("14"));
        QCOMPARE(p.host.edits, edits);

        // The pages left were saved before the turn back to page 1.
        p.Turn(kMessageTurn, +1);
        QCOMPARE(p.Text(kMessage), QString("kept on page 2"));
        p.Turn(kTelephoneTurn, +2);
        QCOMPARE(p.Text(kTelephone), QString("0123"));

        p.Pick('D', 1, 2);
        QCOMPARE(p.Text(kEndpoint), QString("D1.2"));
        QCOMPARE(p.Text(kDirection), QString("Output"));
        QVERIFY(p.Shown(kDigital) && !p.Shown(kAnalog) && !p.Shown(kLimit) && !p.Shown(kUnits));
    }

    void addMoveRemoveAndCopyBack()
    {
        app::ScriptedHost modal;
        SmsPage p;
        p.Type(kEndpoint, "d1.2");
        p.Choose(kDigital, kTurnsOn);
        p.Turn(kTelephoneTurn, +1);
        p.Click(kAdd);
        QCOMPARE(p.Row(0), QString("Input D1.2 turns ON, send message 1 to number 2"));
        QCOMPARE(p.host.edits, 1);

        p.Type(kEndpoint, "a1.1");
        p.Choose(kAnalog, kGoesOver);
        p.Choose(kUnits, kVolts);
        p.Type(kLimit, "4.5");
        p.Type(kHysteresis, "4");
        p.Turn(kMessageTurn, +2);
        p.Turn(kTelephoneTurn, -1);
        p.Click(kAdd);
        QCOMPARE(p.Row(1), QString("Input A1.1 goes over 4.50 V, reset at 4.00, send message 3 to number 1"));
        QCOMPARE(p.host.contents.alerts.selected, 1);
        QCOMPARE(p.host.edits, 2);
        QVERIFY(modal.shown.empty());

        // Copied back: a digital alert leaves no limit or hysteresis behind.
        p.ClickRow(0);
        QCOMPARE(p.Text(kEndpoint), QString("D1.2"));
        QCOMPARE(p.Text(kDigital), QString("turns ON"));
        QCOMPARE(p.Text(kLimit), QString());
        QCOMPARE(p.Text(kHysteresis), QString());
        QCOMPARE(p.Text(kMessagePage), QString("1"));
        QCOMPARE(p.Text(kTelephonePage), QString("2"));
        QVERIFY(p.Shown(kDigital) && !p.Shown(kLimit));
        p.ClickRow(1);
        QCOMPARE(p.Text(kEndpoint), QString("A1.1"));
        QCOMPARE(p.Text(kAnalog), QString("goes over"));
        QCOMPARE(p.Text(kUnits), QString("V"));
        QCOMPARE(p.Text(kLimit), QString("4.50"));
        QCOMPARE(p.Text(kHysteresis), QString("4.00"));
        QCOMPARE(p.Text(kMessagePage), QString("3"));
        QCOMPARE(p.Text(kTelephonePage), QString("1"));
        QVERIFY(p.Shown(kHysteresis) && p.Shown(kResetWhenUnder));
        QCOMPARE(p.host.edits, 2);

        p.Click(kUp);
        QVERIFY(p.Row(0).startsWith("Input A1.1"));
        QCOMPARE(p.host.contents.alerts.selected, 0);
        p.Click(kUp); // already first: nothing to mark
        QCOMPARE(p.host.edits, 3);
        p.Click(kDown);
        QVERIFY(p.Row(1).startsWith("Input A1.1"));
        p.Click(kRemove);
        QCOMPARE(p.host.contents.alerts.lines.size(), std::size_t{1});
        QVERIFY(p.Row(0).startsWith("Input D1.2"));
        QCOMPARE(p.host.edits, 5);

        p.Type(kEndpoint, "3d1.2");
        p.Click(kAdd);
        QCOMPARE(modal.shown.size(), std::size_t{1});
        QCOMPARE(modal.shown.back().title, QString("Error Adding Alert"));
        QCOMPARE(modal.shown.back().text,
                 QString("The Endpoint has a Node Number.\nThis is invalid for an SMS Connection"));

        p.host.contents.alerts.lines.resize(kMaxSmsConnections, p.host.contents.alerts.lines.front());
        p.Type(kEndpoint, "d1.2");
        p.Click(kAdd);
        QCOMPARE(modal.shown.size(), std::size_t{2});
        QCOMPARE(modal.shown.back().title, QString("Error Adding Alert"));
        QCOMPARE(modal.shown.back().text,
                 QString("Unable to add new SMS Connections.\nThe ListBox already contains the maximum of 32"));
        QCOMPARE(p.host.contents.alerts.lines.size(), std::size_t(kMaxSmsConnections));
        QCOMPARE(p.host.edits, 5);
    }

    void countersFollowThePages()
    {
        SmsPage p;
        p.Type(kMessage, QString(20, 'x'));
        QCOMPARE(p.Text(kCharacters), QString("20"));
        p.Turn(kMessageTurn, +1);
        QCOMPARE(p.Text(kMessagePage), QString("2"));
        QCOMPARE(p.Text(kMessage), QString());
        p.Type(kMessage, QString(30, 'y'));
        QCOMPARE(p.Text(kCharacters), QString("50"));
        p.Turn(kMessageTurn, -1);
        QCOMPARE(p.Text(kMessage), QString(20, 'x'));
        QCOMPARE(p.Text(kCharacters), QString("50"));

        p.Type(kTelephone, "+44 1234");
        QCOMPARE(p.host.contents.smsNumbers.EditText(), std::string("+44 1234"));
        p.Turn(kTelephoneTurn, +1);
        QCOMPARE(p.Text(kTelephonePage), QString("2"));
        QCOMPARE(p.Text(kTelephone), QString());
        p.Turn(kTelephoneTurn, -1);
        QCOMPARE(p.Text(kTelephone), QString("+44 1234"));
        QCOMPARE(p.host.edits, 20 + 30 + 8);
    }

    void hysteresisLabelFollowsTheCondition()
    {
        SmsPage p;
        p.Type(kEndpoint, "a1.1");
        QVERIFY(p.Shown(kAnalog) && p.Shown(kLimit) && p.Shown(kUnits) && !p.Shown(kDigital));
        QVERIFY(!p.Shown(kHysteresis) && !p.Shown(kHysteresisUnits));

        p.Choose(kAnalog, kGoesOver);
        QVERIFY(p.Shown(kResetWhenUnder) && !p.Shown(kResetWhenOver));
        QVERIFY(p.Shown(kHysteresis) && p.Shown(kHysteresisUnits));
        QCOMPARE(p.Text(kHysteresisUnits), QString("mA"));
        QCOMPARE(p(kHysteresis)->accessibleName(), QString("Hysteresis: Reset when it goes under"));
        p.Choose(kUnits, kPercent);
        QCOMPARE(p.Text(kHysteresisUnits), QString("% FSD"));

        p.Choose(kAnalog, kGoesUnder);
        QVERIFY(p.Shown(kResetWhenOver) && !p.Shown(kResetWhenUnder) && p.Shown(kHysteresis));
        QCOMPARE(p(kHysteresis)->accessibleName(), QString("Hysteresis: Reset when it goes over"));

        p.Choose(kAnalog, kChangesBy);
        QVERIFY(!p.Shown(kResetWhenOver) && !p.Shown(kResetWhenUnder) && !p.Shown(kHysteresis));
        QVERIFY(!p.Shown(kHysteresisUnits) && p.Shown(kLimit));

        p.Type(kEndpoint, "p1.1"); // a pulse point raises no alert
        QVERIFY(!p.Shown(kAnalog) && !p.Shown(kDigital) && !p.Shown(kLimit) && !p.Shown(kUnits));

        p.page.Reset();
        QCOMPARE(p.Text(kEndpoint), QString());
        QCOMPARE(p.Text(kAnalog), QString("changes by"));
        QCOMPARE(p.Text(kUnits), QString("mA"));
        QCOMPARE(p.Text(kDirection), QString("Input"));
    }
};

QTEST_MAIN(AlertsPageTest)
#include "AlertsPageTest.moc"
