// Renders each display control, the pictures and both dialogs into PNG files
// for the README's gallery (scripts/screenshots runs it).
#include <QApplication>
#include <QDir>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QSpinBox>
#include <QStyleFactory>

#include "controls/ColoredPanel.h"
#include "controls/MultiGauge.h"
#include "controls/PagedEdit.h"
#include "controls/SevenSegment.h"
#include "controls/StatusIcon.h"
#include "controls/StatusText.h"
#include "reports/MNMEDialog.h"
#include "reports/UnsavedFileDialog.h"
#include "reports/model/ReportContent.h"
#include "resources/Pictures.h"

using namespace mnm;

namespace {

constexpr int kMargin = 12;
constexpr int kTitleHeight = 30;

QString folder;

void Save(const QImage& image, const QString& name)
{
    const QString path = QDir(folder).filePath(name + ".png");
    if (!image.save(path)) qFatal("cannot write %s", qPrintable(path));
}

// A group of controls on a page of its own, with room round it.
void SaveWidget(QWidget& group, const QString& name)
{
    QWidget page;
    auto* layout = new QVBoxLayout(&page);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    group.setParent(&page);
    layout->addWidget(&group);
    page.adjustSize();
    Save(page.grab().toImage(), name);
    group.setParent(nullptr);
}

// A dialog as the desktop shows it: a title bar over its client area.
void SaveDialog(QDialog& dialog, const QString& name)
{
    const QImage client = dialog.grab().toImage();
    QImage image(client.width() + 2, client.height() + kTitleHeight + 1, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath frame;
    frame.addRoundedRect(QRectF(0.5, 0.5, image.width() - 1, image.height() - 1), 6, 6);
    painter.fillPath(frame, QColor(236, 238, 241));
    painter.drawImage(1, kTitleHeight, client);
    painter.setPen(QColor(180, 184, 190));
    painter.drawPath(frame);
    painter.drawLine(1, kTitleHeight - 1, image.width() - 2, kTitleHeight - 1);
    QFont bold = dialog.font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(QColor(40, 44, 52));
    painter.drawText(QRect(0, 0, image.width(), kTitleHeight), Qt::AlignCenter, dialog.windowTitle());
    Save(image, name);
}

QWidget* Labelled(QWidget* control, const QSize& size)
{
    control->setFixedSize(size);
    return control;
}

void SevenSegments()
{
    QGroupBox box("Radio read-outs");
    auto* form = new QFormLayout(&box);
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const auto add = [&](const char* label, const char* text, const QColor& on) {
        auto* display = new controls::SevenSegment;
        display->SetColours(on);
        display->SetText(text);
        display->setAccessibleName(label);
        form->addRow(label, Labelled(display, {220, 46}));
    };
    add("Channel", "07", QColor(52, 224, 138));
    add("Frequency, MHz", "458.5125", QColor(52, 224, 138));
    add("Monitor value", "-12.5", QColor(255, 255, 0));
    add("Unknown", "--", QColor(255, 255, 0));
    SaveWidget(box, "seven-segment");
}

void Gauges()
{
    QGroupBox box("Received Signal Strength (dBm)");
    auto* form = new QFormLayout(&box);
    for (int value : {-122, -117, -100, -80}) {
        auto* gauge = new controls::MultiGauge({-125, -90, -120, -114});
        gauge->SetValue(value);
        form->addRow(QString::number(value), Labelled(gauge, {280, 20}));
    }
    auto* none = new controls::MultiGauge({-125, -90, -120, -114});
    form->addRow("no value", Labelled(none, {280, 20}));
    SaveWidget(box, "multi-gauge");
}

void PanelsAndIcons()
{
    QGroupBox box("Lamps and status pictures");
    auto* grid = new QGridLayout(&box);
    const auto lamp = [&](int row, const char* label, int state) {
        auto* panel = new controls::ColoredPanel(QColor(0, 255, 0));
        panel->SetState(state);
        grid->addWidget(Labelled(panel, {16, 16}), row, 0);
        grid->addWidget(new QLabel(label), row, 1);
    };
    lamp(0, "Local (lit)", 1);
    lamp(1, "Network (not lit)", 0);
    const auto icon = [&](int row, const char* label, int off, int on, int state) {
        auto* picture = new controls::StatusIcon(off, on);
        picture->SetState(state);
        grid->addWidget(Labelled(picture, {24, 24}), row, 0);
        grid->addWidget(new QLabel(label), row, 1);
    };
    icon(2, "PLL locked", 12014, 12015, 1);
    icon(3, "PLL unlocked", 12014, 12015, 0);
    icon(4, "Telephone in use", 12017, 12010, 1);
    icon(5, "Leased line not in use", 12016, 12011, 0);
    icon(6, "Unknown state: nothing drawn", 12014, 12015, 5);
    SaveWidget(box, "panel-and-icon");
}

void Texts()
{
    QGroupBox box("StatusText and PagedEdit");
    auto* layout = new QVBoxLayout(&box);
    auto* text = new controls::StatusText;
    text->setFixedWidth(320);
    text->resize(320, 200);
    text->SetText("A long message breaks between words at the width of the control.\n\n"
                  "Line feeds start new lines; a path without spaces is clipped: "
                  "/home/operator/configurations/north-ridge/pumping-station-4.mnc");
    text->setFixedHeight(text->height());
    layout->addWidget(text);
    auto* row = new QHBoxLayout;
    auto* edit = new controls::PagedEdit(32, 160);
    edit->PutPage(1, "Tank level high at pump station 4");
    edit->PutPage(3, "Mains power restored");
    edit->SetPage(3, false);
    auto* page = new QSpinBox;
    page->setRange(1, edit->PageCount());
    page->setValue(edit->CurrentPage());
    page->setPrefix("Message ");
    row->addWidget(page);
    row->addWidget(edit, 1);
    layout->addLayout(row);
    SaveWidget(box, "status-text-and-paged-edit");
}

void Pictures()
{
    // Every picture compiled in: numbered ones are status pictures or the
    // indicator's frames, named ones the lists' icons.
    QList<int> status;
    QStringList named;
    for (const QString& name : resources::PictureNames()) {
        bool numbered = false;
        const int number = name.toInt(&numbered);
        if (!numbered) named << name;
        else if (number > resources::kIndicatorPicture) status << number;
    }
    constexpr int kCell = 76;
    const int columns = 9;
    const int statusRows = (static_cast<int>(status.size()) + columns - 1) / columns;
    constexpr int kNamedPerRow = 4;
    constexpr int kNamedRowHeight = 30;
    const int namedRows = (static_cast<int>(named.size()) + kNamedPerRow - 1) / kNamedPerRow;
    const QSize frame = resources::PictureSize(resources::kIndicatorFirstFrame);
    constexpr int kFramesPerRow = 6;
    const int frameRows = (resources::kIndicatorFrameCount + 1 + kFramesPerRow - 1) / kFramesPerRow;
    QImage image(columns * kCell + 2 * kMargin,
                 statusRows * kCell + namedRows * kNamedRowHeight + frameRows * (frame.height() + 22) + 3 * 28 + kMargin,
                 QImage::Format_ARGB32);
    image.fill(QColor(246, 247, 249));
    QPainter painter(&image);
    QFont small = QApplication::font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    int y = kMargin;
    const auto heading = [&](const QString& text) {
        painter.setFont(QApplication::font());
        painter.setPen(QColor(40, 44, 52));
        painter.drawText(kMargin, y + 18, text);
        y += 28;
        painter.setFont(small);
        painter.setPen(QColor(95, 99, 104));
    };
    heading("Status pictures at 32 and 16 pixels");
    for (int i = 0; i < status.size(); ++i) {
        const int x = kMargin + (i % columns) * kCell;
        const int top = y + (i / columns) * kCell;
        painter.drawPixmap(x + 8, top, resources::RenderPicture(status[i], {32, 32}, 2.0));
        painter.drawPixmap(x + 46, top + 16, resources::RenderPicture(status[i], {16, 16}, 2.0));
        painter.drawText(QRect(x, top + 36, kCell, 18), Qt::AlignLeft, QString::number(status[i]));
    }
    y += statusRows * kCell;
    heading("List icons (16 pixels), by name");
    const int namedWidth = kCell * columns / kNamedPerRow;
    for (int i = 0; i < named.size(); ++i) {
        const int x = kMargin + (i % kNamedPerRow) * namedWidth;
        const int top = y + (i / kNamedPerRow) * kNamedRowHeight;
        painter.drawPixmap(x, top, resources::RenderPicture(named[i].toStdString(), {16, 16}, 2.0));
        painter.drawText(QRect(x + 22, top, namedWidth - 24, 18), Qt::AlignLeft | Qt::AlignVCenter,
                         painter.fontMetrics().elidedText(named[i], Qt::ElideRight, namedWidth - 24));
    }
    y += namedRows * kNamedRowHeight;
    heading("Indicator frames 0 to 30 and picture 11032");
    for (int i = 0; i <= resources::kIndicatorFrameCount; ++i) {
        const int number = resources::kIndicatorFirstFrame + i;
        const QSize size = resources::PictureSize(number);
        const int x = kMargin + (i % kFramesPerRow) * (frame.width() + 20);
        const int top = y + (i / kFramesPerRow) * (frame.height() + 22);
        painter.fillRect(QRect(QPoint(x, top), size), Qt::white);
        painter.drawPixmap(x, top, resources::RenderPicture(number, size, 2.0));
        painter.drawText(QRect(x, top + size.height() + 2, frame.width(), 16), Qt::AlignLeft,
                         i < resources::kIndicatorFrameCount ? QStringLiteral("frame %1").arg(i) : QString::number(number));
    }
    painter.end();
    Save(image, "pictures");
}

void Dialogs()
{
    const reports::ReportContent warning = reports::ErrorReportContent(Report{-1702}, "Verify");
    reports::MNMEDialog report(nullptr, QString::fromStdString(warning.text), QString::fromStdString(warning.title),
                               warning.icon);
    SaveDialog(report, "error-report");
    const reports::ReportContent fine = reports::ErrorReportContent(Report{}, "Verify");
    reports::MNMEDialog success(nullptr, QString::fromStdString(fine.text), QString::fromStdString(fine.title),
                                fine.icon);
    SaveDialog(success, "error-report-no-errors");
    reports::UnsavedFileDialog prompt(nullptr, "The configuration north-ridge.mnc has changed. Save it first?",
                                      "C&ancel Operation: continue editing");
    SaveDialog(prompt, "unsaved-prompt");
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    SevenSegments();
    Gauges();
    PanelsAndIcons();
    Texts();
    Pictures();
    Dialogs();
    return 0;
}
