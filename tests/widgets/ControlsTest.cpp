#include <QAccessible>
#include <QImage>
#include <QtTest>

#include "controls/ColoredPanel.h"
#include "controls/MultiGauge.h"
#include "controls/PagedEdit.h"
#include "controls/SevenSegment.h"
#include "controls/StatusIcon.h"
#include "controls/StatusText.h"
#include "resources/Pictures.h"

using namespace mnm::controls;

namespace {

const QColor kOn(255, 255, 0);
const QColor kOff(60, 60, 60);

QImage Render(QWidget& widget) { return widget.grab().toImage(); }

// A point well inside a segment: the mean of its corners.
QPoint InsideSegment(int segment, int right, const SegmentLayout& layout)
{
    Polygon polygon = SegmentPolygon(segment, right, layout.top, layout.unit);
    if (polygon.front() == polygon.back()) polygon.pop_back();
    int x = 0, y = 0;
    for (const Point& p : polygon) x += p.x, y += p.y;
    const int n = static_cast<int>(polygon.size());
    return {x / n, y / n};
}

QString AccessibleText(QWidget& widget, QAccessible::Text kind)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&widget);
    return accessible ? accessible->text(kind) : QString();
}

} // namespace

class ControlsTest : public QObject {
    Q_OBJECT
private slots:
    void sevenSegmentSizesGiveUnitAndCells();
    void sevenSegmentPointLightsInTheDigitBeforeIt();
    void sevenSegmentShorterTextBlanksOldCells();
    void sevenSegmentPaintsEachPattern();
    void sevenSegmentTellsAccessibilityItsText();
    void gaugeValueInsideTheScale();
    void gaugeValueAboveTheScale();
    void gaugeWithoutSpanDoesNotCrash();
    void statusTextMeasuresItsLines();
    void panelAndIconTreatUnknownStatesAlike();
    void pagedEditTurnsAndKeepsPages();
    void picturesByNameAndNumber();
};

void ControlsTest::sevenSegmentSizesGiveUnitAndCells()
{
    SevenSegment display;
    display.resize(200, 86);
    QCOMPARE(display.DigitCount(), 4);
    display.resize(100, 46);
    QCOMPARE(display.DigitCount(), 4);
    display.resize(300, 46);
    QCOMPARE(display.DigitCount(), 12);
    display.resize(300, 20);
    QCOMPARE(display.DigitCount(), 0);
}

void ControlsTest::sevenSegmentPointLightsInTheDigitBeforeIt()
{
    SevenSegment display;
    display.resize(200, 86);
    display.SetColours(kOn, kOff);
    display.SetText("12.5");
    const SegmentLayout layout = LayoutSegments(200, 86);
    const QImage image = Render(display);
    const int cell = kCellUnitsWide * layout.unit;
    const int pointSegment = 7;
    QCOMPARE(image.pixelColor(InsideSegment(pointSegment, layout.right - cell, layout)), kOn);  // the 2
    QCOMPARE(image.pixelColor(InsideSegment(pointSegment, layout.right, layout)), kOff);        // the 5
    QCOMPARE(image.pixelColor(InsideSegment(pointSegment, layout.right - 2 * cell, layout)), kOff);
    // Three cells used: the fourth shows nothing but the background.
    QVERIFY(image.pixelColor(InsideSegment(6, layout.right - 3 * cell, layout)) != kOff);
}

void ControlsTest::sevenSegmentShorterTextBlanksOldCells()
{
    SevenSegment display;
    display.resize(200, 86);
    display.SetColours(kOn, kOff);
    display.SetText("8888");
    display.SetText("1");
    const SegmentLayout layout = LayoutSegments(200, 86);
    const QImage image = Render(display);
    QCOMPARE(image.pixelColor(InsideSegment(1, layout.right, layout)), kOn);
    for (int cell = 1; cell <= 3; ++cell) {
        const int right = layout.right - cell * kCellUnitsWide * layout.unit;
        for (int segment = 0; segment < 7; ++segment)
            QCOMPARE(image.pixelColor(InsideSegment(segment, right, layout)), kOff);
    }
}

void ControlsTest::sevenSegmentPaintsEachPattern()
{
    SevenSegment display;
    display.resize(200, 86);
    display.SetColours(kOn, kOff);
    const SegmentLayout layout = LayoutSegments(200, 86);
    for (char c : QByteArray("0123456789 -ofX")) {
        display.SetText(QString(QChar(c)));
        const QImage image = Render(display);
        for (int segment = 0; segment < kSegmentCount; ++segment) {
            const bool lit = (SegmentPattern(c) >> segment) & 1;
            QVERIFY2(image.pixelColor(InsideSegment(segment, layout.right, layout)) == (lit ? kOn : kOff),
                     qPrintable(QStringLiteral("'%1' segment %2").arg(c).arg(segment)));
        }
    }
}

void ControlsTest::sevenSegmentTellsAccessibilityItsText()
{
    SevenSegment display;
    display.SetText("12.5");
    QCOMPARE(AccessibleText(display, QAccessible::Name), QStringLiteral("12.5"));
    display.setAccessibleName("Channel");
    QCOMPARE(AccessibleText(display, QAccessible::Name), QStringLiteral("Channel"));
    QCOMPARE(AccessibleText(display, QAccessible::Value), QStringLiteral("12.5"));
}

void ControlsTest::gaugeValueInsideTheScale()
{
    MultiGauge gauge({-125, -90, -120, -114});
    gauge.resize(350, 24);
    gauge.SetValue(-100);
    const QImage image = Render(gauge);
    QCOMPARE(image.pixelColor(25, 1), QColor(192, 0, 0));
    QCOMPARE(image.pixelColor(80, 1), QColor(255, 255, 0));
    QCOMPARE(image.pixelColor(115, 1), QColor(0, 255, 0));
    QVERIFY(image.pixelColor(300, 1) != QColor(0, 255, 0));  // beyond the value
    QCOMPARE(gauge.ShownText(), QStringLiteral("-100"));
    QCOMPARE(AccessibleText(gauge, QAccessible::Value), QStringLiteral("-100"));
}

void ControlsTest::gaugeValueAboveTheScale()
{
    MultiGauge gauge({-125, -90, -120, -114});
    gauge.resize(350, 24);
    QCOMPARE(gauge.ShownText(), QStringLiteral("No value"));
    gauge.SetValue(-80);
    const QImage image = Render(gauge);
    QCOMPARE(image.pixelColor(349, 1), QColor(0, 255, 0));
    QCOMPARE(gauge.ShownText(), QStringLiteral(">-90"));
}

void ControlsTest::gaugeWithoutSpanDoesNotCrash()
{
    MultiGauge gauge({-90, -90, -90, -90});
    gauge.resize(100, 20);
    gauge.SetValue(-90);
    QVERIFY(!Render(gauge).isNull());
}

void ControlsTest::statusTextMeasuresItsLines()
{
    const auto heightFor = [](const QString& text) {
        StatusText status;
        status.resize(200, 400);
        status.SetText(text);
        return status.height();
    };
    const int line = QFontMetrics(StatusText().font()).lineSpacing();
    QCOMPARE(heightFor(QString(300, 'W')), line);  // one clipped line
    QCOMPARE(heightFor("one\ntwo\nthree"), 3 * line);
    QCOMPARE(heightFor("one\ntwo\n"), 2 * line);
    QCOMPARE(heightFor("one\n\ntwo"), 3 * line);

    StatusText small;
    small.resize(200, line);
    small.SetText("one\ntwo\nthree");
    QCOMPARE(small.height(), line);  // never grows
    small.SetText(QString(401, 'x'));
    QCOMPARE(small.Text().size(), 400);
    QCOMPARE(AccessibleText(small, QAccessible::Name), small.Text());
}

void ControlsTest::panelAndIconTreatUnknownStatesAlike()
{
    ColoredPanel panel(QColor(0, 255, 0));
    panel.resize(20, 20);
    panel.SetState(1);
    QCOMPARE(Render(panel).pixelColor(10, 10), QColor(0, 255, 0));
    panel.SetState(5);
    QCOMPARE(panel.State(), -1);
    QCOMPARE(Render(panel).pixelColor(10, 10), panel.palette().color(QPalette::Window));
    QCOMPARE(AccessibleText(panel, QAccessible::Name), QStringLiteral("Unknown"));

    StatusIcon icon(12014, 12015);
    icon.resize(40, 40);
    icon.SetState(1);
    QCOMPARE(icon.ShownIcon(), 12015);
    QVERIFY(Render(icon).pixelColor(20, 20) != icon.palette().color(QPalette::Window));
    icon.SetState(0);
    QCOMPARE(icon.ShownIcon(), 12014);
    QCOMPARE(AccessibleText(icon, QAccessible::Name), QStringLiteral("Off"));
    icon.SetState(5);
    QCOMPARE(icon.ShownIcon(), 0);
    QCOMPARE(Render(icon).pixelColor(20, 20), icon.palette().color(QPalette::Window));
}

void ControlsTest::pagedEditTurnsAndKeepsPages()
{
    PagedEdit edit(32, 32);
    QCOMPARE(edit.PageCount(), 32);
    QCOMPARE(edit.CurrentPage(), 1);
    QTest::keyClicks(&edit, "0123456789");
    edit.Turn(1);
    QCOMPARE(edit.CurrentPage(), 2);
    QVERIFY(edit.text().isEmpty());
    QTest::keyClicks(&edit, QString(40, '5'));
    QCOMPARE(edit.text().size(), 32);  // the page length
    edit.Turn(-1);
    QCOMPARE(edit.text(), QStringLiteral("0123456789"));
    QCOMPARE(edit.TotalLength(), 42);

    edit.SetPage(32, true);
    edit.Turn(1);
    QCOMPARE(edit.CurrentPage(), 32);
    QString second;
    QCOMPARE(edit.GetPage(2, &second), 32);
    QCOMPARE(second, QString(32, '5'));
    QCOMPARE(edit.GetPage(33), -1);
    QCOMPARE(edit.PutPage(32, "\u00e8t\u00e9"), 0);
    QCOMPARE(edit.text(), QStringLiteral("\u00e8t\u00e9"));
    edit.Clear();
    QCOMPARE(edit.CurrentPage(), 1);
    QCOMPARE(edit.TotalLength(), 0);
}

void ControlsTest::picturesByNameAndNumber()
{
    using namespace mnm::resources;
    for (int number = 12001; number <= 12018; ++number) QVERIFY2(!PicturePath(number).isEmpty(), qPrintable(QString::number(number)));
    for (int i = 0; i <= kIndicatorFrameCount; ++i) QVERIFY(!PicturePath(kIndicatorFirstFrame + i).isEmpty());
    QCOMPARE(PictureSize(kIndicatorFirstFrame), PictureSize(kIndicatorFirstFrame + kIndicatorFrameCount - 1));
    for (const char* name : {"CONNLBIconArrow", "CONNLBIconDelta", "CONNLBIconDeltaX", "CONNLBIconClock",
                             "RoutingRepeaterIcon", "RoutingTelephoneIcon", "RoutingLeasedLineIcon", "DUCLBIconInput",
                             "DUCLBIconOutput", "DUCLBIconArrow", "DUCLBIconDelta", "DUCLBIconClock",
                             "DUCLBIconTelephone", "DUCLBIconLeasedLine", "AlertOutputIcon", "AlertInputIcon",
                             "AlertChangesStateIcon", "AlertChangesToIcon", "AlertChangesByIcon", "AlertIncreasesIcon",
                             "AlertDecreasesIcon", "AlertGoesBelowIcon", "AlertGoesAboveIcon", "AlertHysteresisIcon"})
        QVERIFY2(!PicturePath(name).isEmpty(), name);
    QVERIFY(PicturePath(12019).isEmpty());
    QVERIFY(PicturePath("NoSuchIcon").isEmpty());
    QVERIFY(PictureNames().contains("12012"));
    QVERIFY(RenderPicture("NoSuchIcon", {16, 16}).isNull());

    // Drawn at the screen's scale, not scaled up from a small bitmap.
    const QPixmap sharp = RenderPicture(12013, {16, 16}, 2.0);
    QCOMPARE(sharp.size(), QSize(32, 32));
    QCOMPARE(sharp.deviceIndependentSize(), QSizeF(16, 16));
}

QTEST_MAIN(ControlsTest)
#include "ControlsTest.moc"
