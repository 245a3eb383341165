#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QtTest>
#include <deque>

#include "controls/StatusIcon.h"
#include "controls/StatusText.h"
#include "reports/DialogUnits.h"
#include "reports/ErrorReport.h"
#include "reports/MNMEDialog.h"
#include "reports/ModalHost.h"
#include "reports/UnsavedFileDialog.h"

using namespace mnm::reports;
using mnm::Rejected;
using mnm::Report;

namespace {

// Answers in the user's place and remembers what each report showed.
class AnsweringHost : public ModalHost {
public:
    struct Shown {
        QString title;
        QString text;
        int icon = 0;
    };

    std::deque<int> answers;
    std::vector<Shown> shown;

    int RunDialog(QDialog& dialog) override
    {
        Shown seen{dialog.windowTitle(), {}, 0};
        if (auto* report = qobject_cast<MNMEDialog*>(&dialog)) seen = {dialog.windowTitle(), report->Text(), report->Icon()};
        if (auto* prompt = qobject_cast<UnsavedFileDialog*>(&dialog)) seen.text = prompt->Question();
        shown.push_back(seen);
        return Next();
    }
    QMessageBox::StandardButton Ask(QWidget*, QMessageBox::Icon, const QString&, const QString&,
                                    QMessageBox::StandardButtons, QMessageBox::StandardButton) override
    {
        return static_cast<QMessageBox::StandardButton>(Next());
    }
    QString OpenFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString SaveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }

private:
    int Next()
    {
        if (answers.empty()) return 0;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

template <typename T>
T* Child(QWidget& dialog, const char* id)
{
    T* child = dialog.findChild<T*>(QString::fromLatin1(id));
    if (!child) qFatal("no control %s", id);
    return child;
}

} // namespace

class ReportsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { SetModalHost(&host_); }
    void cleanup()
    {
        SetModalHost(nullptr);
        host_ = {};
    }
    void errorReportHugsAThreeLineText();
    void errorReportIgnoresEscape();
    void errorReportTextAndIconFromTheCode();
    void textReportDefaults();
    void unsavedPromptAnswers_data();
    void unsavedPromptAnswers();
    void unsavedPromptCancelsOnEnterEscapeAndClose();
    void unsavedPromptOverlongTexts();
    void unsavedPromptThroughTheHost();

private:
    AnsweringHost host_;
};

void ReportsTest::errorReportHugsAThreeLineText()
{
    QWidget parent;
    parent.setGeometry(100, 50, 800, 600);
    MNMEDialog dialog(&parent, "one\ntwo\nthree", "Verify", 12018);
    auto* text = Child<mnm::controls::StatusText>(dialog, "102");
    auto* icon = Child<mnm::controls::StatusIcon>(dialog, "101");
    auto* ok = Child<QPushButton>(dialog, "1");
    QCOMPARE(text->height(), 3 * QFontMetrics(text->font()).lineSpacing());
    QCOMPARE(icon->y(), text->geometry().bottom() + 1 + 12);
    QCOMPARE(icon->x(), text->x());
    QCOMPARE(ok->y(), icon->y());
    QCOMPARE(dialog.height(), ok->geometry().bottom() + 1 + 16);
    QCOMPARE(dialog.width(), ToPixels(ErrorReportTemplate::kDialog, BaseUnitsOf(dialog)).width);
    QCOMPARE(dialog.x(), 100 + (800 - dialog.width()) / 2);
    QCOMPARE(dialog.y(), 50 + 600 * 4 / 5 - dialog.height());
    QCOMPARE(icon->State(), 1);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Verify"));
    QCOMPARE(QAccessible::queryAccessibleInterface(&dialog)->text(QAccessible::Name), QStringLiteral("Verify"));
}

void ReportsTest::errorReportIgnoresEscape()
{
    MNMEDialog dialog(nullptr, "Something failed", "Error", 12018);
    dialog.open();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
    QTest::keyClick(&dialog, Qt::Key_Return);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void ReportsTest::errorReportTextAndIconFromTheCode()
{
    QCOMPARE(ShowErrorReport(Report{}, "Verify"), 0);
    ShowErrorReport(Report{-1702}, "Verify");
    ShowErrorReport(Report{-1703}, "Verify");
    ShowErrorReport(Report{-1701}, "Sending to Node");
    ShowErrorReport(Rejected("Unable to upload Node Number"), "Receiving from Node");
    QCOMPARE(host_.shown.size(), size_t(5));
    QCOMPARE(host_.shown[0].title, QStringLiteral("Verify"));
    QCOMPARE(host_.shown[0].text, QStringLiteral("No Errors Found"));
    QCOMPARE(host_.shown[0].icon, 12013);
    QCOMPARE(host_.shown[1].icon, 12006);
    QCOMPARE(host_.shown[2].icon, 12006);
    QCOMPARE(host_.shown[3].icon, 12018);
    QCOMPARE(host_.shown[4].text, QStringLiteral("Unable to upload Node Number"));
    QCOMPARE(host_.shown[4].icon, 12018);
}

void ReportsTest::textReportDefaults()
{
    ShowTextReport(QString(), QString());
    ShowTextReport(QString(500, 'x'), "Add Connection");
    QCOMPARE(host_.shown[0].text, QStringLiteral("Report"));
    QCOMPARE(host_.shown[0].title, QStringLiteral("Error"));
    QCOMPARE(host_.shown[0].icon, 12018);
    QCOMPARE(host_.shown[1].text.size(), 400);
}

void ReportsTest::unsavedPromptAnswers_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");
    QTest::newRow("save") << "6" << 6;
    QTest::newRow("discard") << "7" << 7;
    QTest::newRow("cancel") << "2" << 2;
}

void ReportsTest::unsavedPromptAnswers()
{
    QFETCH(QString, button);
    QFETCH(int, result);
    QWidget parent;
    parent.setGeometry(0, 0, 900, 700);
    UnsavedFileDialog dialog(&parent, "Save changes to node.mnc?", "C&ancel Operation: continue editing");
    QCOMPARE(dialog.x(), (900 - dialog.width()) / 2);
    QCOMPARE(dialog.y(), (700 - dialog.height()) / 2);
    dialog.open();
    QTest::mouseClick(Child<QPushButton>(dialog, qPrintable(button)), Qt::LeftButton);
    QCOMPARE(dialog.result(), result);
}

void ReportsTest::unsavedPromptCancelsOnEnterEscapeAndClose()
{
    UnsavedFileDialog dialog(nullptr, "Save?", "Cancel");
    dialog.open();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QCOMPARE(dialog.result(), 2);

    dialog.setResult(0);
    dialog.open();
    auto* save = Child<QPushButton>(dialog, "6");
    save->setFocus();
    QTest::keyClick(save, Qt::Key_Return);  // even with Save focused
    QCOMPARE(dialog.result(), 2);

    dialog.setResult(0);
    dialog.open();
    dialog.close();
    QCOMPARE(dialog.result(), 2);
    QCOMPARE(QAccessible::queryAccessibleInterface(&dialog)->text(QAccessible::Name), QStringLiteral("Unsaved File"));
}

void ReportsTest::unsavedPromptOverlongTexts()
{
    UnsavedFileDialog dialog(nullptr, QString(65, 'q'), QString(65, 'c'));
    QCOMPARE(Child<QLabel>(dialog, "801")->text(), QStringLiteral("???"));
    QCOMPARE(Child<QPushButton>(dialog, "2")->text(), QStringLiteral("???"));
    UnsavedFileDialog fits(nullptr, QString(64, 'q'), "<b>Cancel</b>");
    QCOMPARE(fits.Question(), QString(64, 'q'));
    QCOMPARE(Child<QLabel>(fits, "801")->textFormat(), Qt::PlainText);
}

void ReportsTest::unsavedPromptThroughTheHost()
{
    host_.answers = {7, 0};
    QCOMPARE(AskUnsaved(nullptr, "Save changes?", "Cancel"), UnsavedAnswer::Discard);
    QCOMPARE(host_.shown[0].title, QStringLiteral("Unsaved File"));
    QCOMPARE(host_.shown[0].text, QStringLiteral("Save changes?"));
    // A dialog that went away without an answer loses nothing.
    QCOMPARE(AskUnsaved(nullptr, "Save changes?", "Cancel"), UnsavedAnswer::Cancel);
}

QTEST_MAIN(ReportsTest)
#include "ReportsTest.moc"
