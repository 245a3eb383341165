#include <QAbstractButton>
#include <QSignalSpy>
#include <QtTest>

#include "editor/WizardWindow.h"

using namespace mnm::editor;

namespace {

const Explanation kTwoLinks{"The Alarm Delay must be a whole number of minutes.\n\nTo increase it, press here@\n"
                            "To reduce it, press here@",
                            {kRoundUpAlarmDelay, kRoundDownAlarmDelay}};

QAbstractButton* Link(WizardWindow& w, int n)
{
    return w.findChild<QAbstractButton*>(QStringLiteral("WizardLink%1").arg(n));
}

void Ticks(WizardWindow& w, int n)
{
    for (int i = 0; i < n; ++i) w.Tick();
}

} // namespace

class WizardWindowTest : public QObject {
    Q_OBJECT
private slots:
    void showsAfterTheCountdownUnlessSuppressed();
    void linkButtonsFollowTheLinks();
    void publishesTheTextOnlyWhileShown();
};

void WizardWindowTest::showsAfterTheCountdownUnlessSuppressed()
{
    WizardWindow w;
    w.SetExplanation(kTwoLinks);
    Ticks(w, 20);
    QVERIFY2(!w.isVisible(), "starts suppressed");
    w.Suppress(false);
    QVERIFY(w.isVisible());

    w.SetExplanation({"Another text", {}});
    QVERIFY2(!w.isVisible(), "a new text hides the window at once");
    Ticks(w, 9);
    QVERIFY(!w.isVisible());
    w.Tick();
    QVERIFY(w.isVisible());

    w.Suppress(true);
    QVERIFY(!w.isVisible());
    w.Suppress(false);
    QVERIFY(w.isVisible());

    w.SetExplanation({});
    Ticks(w, 10);
    QVERIFY2(!w.isVisible(), "no text, no window");
}

void WizardWindowTest::linkButtonsFollowTheLinks()
{
    WizardWindow w;
    w.resize(400, 200);
    w.Suppress(false);
    w.SetExplanation(kTwoLinks);
    Ticks(w, 10);
    QCOMPARE(w.LinkCount(), 2);
    QVERIFY(Link(w, 1)->isVisible() && Link(w, 2)->isVisible());
    QVERIFY(!Link(w, 3)->isVisibleTo(&w) && !Link(w, 4)->isVisibleTo(&w));
    QCOMPARE(Link(w, 2)->accessibleName(), QStringLiteral("To reduce it, press here"));
    QCOMPARE(Link(w, 2)->toolTip(), QStringLiteral("To reduce it, press here"));
    QCOMPARE(Link(w, 2)->x(), 10 + 400 * 28 / 32 - 14);
    QVERIFY(Link(w, 1)->y() < Link(w, 2)->y());
    const QImage drawn = w.grab().toImage();
    QCOMPARE(drawn.pixelColor(1, 1), QColor(113, 230, 247));

    QSignalSpy pressed(&w, &WizardWindow::LinkPressed);
    Link(w, 2)->click();
    QCOMPARE(pressed.size(), 1);
    QCOMPARE(pressed.at(0).at(0).toInt(), int(kRoundDownAlarmDelay));

    w.SetExplanation({"Only one, press here@", {kSetMaxRetries}});
    QVERIFY(Link(w, 1)->isVisibleTo(&w) && !Link(w, 2)->isVisibleTo(&w));
}

void WizardWindowTest::publishesTheTextOnlyWhileShown()
{
    WizardWindow w;
    w.resize(400, 200);
    w.Suppress(false);
    w.SetExplanation(kTwoLinks);
    QVERIFY(w.accessibleDescription().isEmpty());
    Ticks(w, 10);
    QCOMPARE(w.accessibleName(), QStringLiteral("Explanation"));
    QCOMPARE(w.accessibleDescription(),
             QStringLiteral("The Alarm Delay must be a whole number of minutes.\n\nTo increase it, press here\n"
                            "To reduce it, press here"));
    w.Suppress(true);
    QVERIFY(w.accessibleDescription().isEmpty());
}

QTEST_MAIN(WizardWindowTest)
#include "WizardWindowTest.moc"
