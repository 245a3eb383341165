#include "tools/MonitorDialog.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <optional>

#include "connection/NodeConnection.h"
#include "controls/SevenSegment.h"
#include "controls/model/SevenSegment.h"
#include "editor/ModulesTree.h"
#include "editor/PageControls.h"
#include "editor/WidgetWrites.h"
#include "editor/model/ModulesTree.h"
#include "reports/ModalHost.h"
#include "tools/LivePage.h"
#include "tools/model/MonitorDisplay.h"
#include "tools/model/MonitorLog.h"
#include "tools/model/MonitorState.h"

namespace mnm::tools {

namespace {

enum Id {
    kTreeLabel = 1027, kTree = 13005, kDirection = 5515, kInput = 10008, kOutput = 10007, kEndpoint = 8015,
    kAnalogLabel = 1007, kAnalog = 21002, kCaption = 3057, kDisplay = 3058,
};

const QColor kSegmentOn(255, 255, 0);
const QColor kLoggingMark(220, 30, 30);
// The display always has a digit for each of a card's eight channels: it
// is never made taller than leaves room for them across its width.
constexpr int kDisplayDigits = 8;
constexpr int kDisplaySideRoom = 2;    // pixels the segment layout keeps free across
constexpr int kDisplayMinMargin = 6;   // pixels the segment layout keeps free down
constexpr int kDisplayMinUnit = 3;
constexpr int kCaptionGap = 6;
constexpr int kEndpointCharacters = 12;
constexpr int kMarkSide = 10;
constexpr qreal kCaptionScale = 1.25;
const char* const kLogFilter = "CSV Files (*.csv);;All Files (*.*)";
const char* const kLogTitle = "Log Readings to File";

// Calls back when the watched widget changes size.
class ResizeWatch : public QObject {
public:
    ResizeWatch(QWidget* watched, std::function<void()> resized) : QObject(watched), resized_(std::move(resized))
    {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Resize) resized_();
        return false;
    }

private:
    std::function<void()> resized_;
};

// The caption with the seven-segment display under it, centred in the room
// given; the display as large as its width allows for kDisplayDigits digits.
class ReadingBox : public QWidget {
public:
    ReadingBox(QWidget* caption, QWidget* display, QWidget* parent)
        : QWidget(parent), caption_(caption), display_(display)
    {
        caption_->setParent(this);
        display_->setParent(this);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        setMinimumSize(WidthFor(kDisplayMinUnit), CaptionHeight() + kCaptionGap + HeightFor(kDisplayMinUnit));
    }

protected:
    void resizeEvent(QResizeEvent*) override
    {
        const int unit = std::max(1, (width() - kDisplaySideRoom) / (controls::kCellUnitsWide * kDisplayDigits));
        const int captionHeight = CaptionHeight();
        const int displayHeight = std::min(height() - captionHeight - kCaptionGap, HeightFor(unit));
        const int top = (height() - captionHeight - kCaptionGap - displayHeight) / 2;
        caption_->setGeometry(0, top, width(), captionHeight);
        display_->setGeometry(0, top + captionHeight + kCaptionGap, width(), displayHeight);
    }

private:
    int CaptionHeight() const { return caption_->sizeHint().height(); }
    static int WidthFor(int unit) { return controls::kCellUnitsWide * kDisplayDigits * unit + kDisplaySideRoom; }
    static int HeightFor(int unit) { return controls::kCellUnitsHigh * unit + kDisplayMinMargin; }

    QWidget* caption_;
    QWidget* display_;
};

QPixmap LoggingMark()
{
    QPixmap mark(kMarkSide, kMarkSide);
    mark.fill(Qt::transparent);
    QPainter painter(&mark);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kLoggingMark);
    painter.drawEllipse(mark.rect());
    return mark;
}

} // namespace

struct MonitorDialog::Parts {
    Parts(NodeConnection& c, const ProgramSettings& settings)
        : connection(c), state(ticks(), std::chrono::milliseconds(settings.endpointMonitorTimeoutMs))
    {
    }

    NodeConnection& connection;
    TickClock ticks = SteadyTicks;
    WallClock wall = [] { return std::chrono::system_clock::now(); };
    MonitorState state;
    std::optional<NodeStaticData> node;
    MonitorShown shown;

    editor::ModulesTree* tree = nullptr;
    QRadioButton* input = nullptr;
    QRadioButton* output = nullptr;
    QLineEdit* endpoint = nullptr;
    QComboBox* analog = nullptr;
    QLabel* caption = nullptr;
    controls::SevenSegment* display = nullptr;
    QPushButton* logButton = nullptr;
    QWidget* logState = nullptr;
    QLabel* logName = nullptr;

    std::unique_ptr<QFile> log; // open while logging
    QString logFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
};

MonitorDialog::MonitorDialog(NodeConnection& connection, const ProgramSettings& settings, QWidget* parent)
    : QWidget(parent), p_(std::make_unique<Parts>(connection, settings))
{
    using editor::Named;
    setObjectName("DIALOG_MONITOR");
    UseWorkspaceColour(this);

    p_->tree = Named(new editor::ModulesTree(editor::kMonitorTreeMask, this), kTree);
    auto* treeLabel = editor::BuddyLabel(tr("Modules Available"), kTreeLabel, p_->tree, this);

    auto* direction = Named(new QFrame(this), kDirection);
    direction->setFrameShape(QFrame::NoFrame);
    p_->input = Named(new QRadioButton(tr("&Input"), direction), kInput);
    p_->output = Named(new QRadioButton(tr("&Output"), direction), kOutput);
    auto* directionRow = new QHBoxLayout(direction);
    directionRow->setContentsMargins(0, 0, 0, 0);
    directionRow->addWidget(p_->input);
    directionRow->addWidget(p_->output);

    p_->endpoint = NarrowEdit(kEndpoint, kEndpointCharacters, this);
    p_->endpoint->setAccessibleName(tr("Endpoint to monitor"));

    QStringList choices;
    for (const AnalogChoice& c : kAnalogChoices) choices << QString::fromLatin1(c.text);
    p_->analog = editor::DropDown(kAnalog, choices, {}, this);
    p_->analog->setCurrentIndex(kDefaultAnalogChoice);
    auto* analogLabel = editor::BuddyLabel(tr("Show Analog Values as ..."), kAnalogLabel, p_->analog, this);

    p_->caption = editor::PlainLabel({}, kCaption, this);
    p_->caption->setAlignment(Qt::AlignCenter);
    QFont captionFont = p_->caption->font();
    captionFont.setPointSizeF(captionFont.pointSizeF() * kCaptionScale);
    p_->caption->setFont(captionFont);

    p_->display = Named(new controls::SevenSegment(this), kDisplay);
    p_->display->setAccessibleName(tr("Monitored value"));
    p_->display->SetColours(kSegmentOn);
    p_->display->SetText({});
    auto* readingBox = new ReadingBox(p_->caption, p_->display, this);
    // The caption names as many channels of a range as the display has digits for.
    new ResizeWatch(p_->display, [this] { Redraw(); });

    p_->logButton = PageButton(0, {}, this);
    p_->logButton->setObjectName("MonitorLogToFile");
    p_->logState = new QWidget(this);
    auto* mark = new QLabel(p_->logState);
    mark->setPixmap(LoggingMark());
    mark->setAccessibleName(tr("Logging"));
    p_->logName = editor::PlainLabel({}, 0, p_->logState);
    p_->logName->setObjectName("MonitorLogState");
    auto* stateRow = new QHBoxLayout(p_->logState);
    stateRow->setContentsMargins(0, 0, 0, 0);
    stateRow->addWidget(mark);
    stateRow->addWidget(p_->logName);

    auto* endpointRow = new QHBoxLayout;
    endpointRow->addWidget(direction);
    endpointRow->addWidget(p_->endpoint);
    endpointRow->addStretch();
    auto* analogRow = new QHBoxLayout;
    analogRow->addWidget(analogLabel);
    analogRow->addWidget(p_->analog);
    analogRow->addStretch();
    auto* logRow = new QHBoxLayout;
    logRow->addWidget(p_->logButton);
    logRow->addWidget(p_->logState);
    logRow->addStretch();
    auto* right = new QVBoxLayout;
    right->addLayout(endpointRow);
    right->addLayout(analogRow);
    right->addWidget(readingBox, 1);
    right->addLayout(logRow);
    editor::PlaceTreeBeside(this, treeLabel, p_->tree, right);
    setTabOrder(p_->tree, p_->input);
    setTabOrder(p_->input, p_->output);
    setTabOrder(p_->output, p_->endpoint);
    setTabOrder(p_->endpoint, p_->analog);
    setTabOrder(p_->analog, p_->logButton);
    // Labels on Dark would take the Light role, faint in a light theme.
    for (QLabel* label : {treeLabel, analogLabel, p_->caption, p_->logName})
        label->setForegroundRole(QPalette::WindowText);
    ShowLogging();

    connect(p_->tree, &editor::ModulesTree::Picked, this, [this](std::uint32_t value) { Picked(value); });
    for (QRadioButton* b : {p_->input, p_->output})
        connect(b, &QRadioButton::clicked, this, [this] { EndpointChanged(); });
    connect(p_->endpoint, &QLineEdit::textEdited, this, [this] { EndpointChanged(); });
    connect(p_->analog, &QComboBox::activated, this, [this] { Redraw(); });
    connect(p_->logButton, &QPushButton::clicked, this, [this] {
        if (Logging())
            StopLogging();
        else
            StartLogging();
    });
}

MonitorDialog::~MonitorDialog() = default;

void MonitorDialog::SetClocks(TickClock ticks, WallClock wall)
{
    p_->ticks = std::move(ticks);
    p_->wall = std::move(wall);
    p_->state.Restart(p_->ticks());
}

void MonitorDialog::ReadingArrived(const MonitorReadingBytes& reading)
{
    if (!p_->state.Arrive(reading, p_->ticks())) return;
    Redraw();
    if (p_->log && !p_->shown.Empty())
        WriteLog(MonitorLogRow(p_->wall(), p_->shown.endpoint, p_->state.Reading().value, p_->shown.text,
                               p_->caption->text().toStdString()));
}

void MonitorDialog::Tick()
{
    if (p_->state.Age(p_->ticks())) Redraw();
}

void MonitorDialog::NodeDataChanged(const NodeStaticData* data)
{
    p_->node.reset();
    if (data) p_->node = *data;
    p_->tree->Fill(data);
    Redraw();
}

void MonitorDialog::EndpointChanged()
{
    const auto endpoint = p_->state.ChangeEndpoint(editor::Held(p_->endpoint->text()), p_->input->isChecked());
    if (!endpoint) return;
    p_->connection.worker().SelectMonitoredEndpoint(endpoint->kind, static_cast<std::uint8_t>(endpoint->card),
                                                    static_cast<std::uint8_t>(endpoint->first));
    Redraw();
}

bool MonitorDialog::Logging() const { return p_->log != nullptr; }

void MonitorDialog::StopLogging()
{
    if (!p_->log) return;
    p_->log->close();
    p_->log.reset();
    ShowLogging();
}

void MonitorDialog::Picked(std::uint32_t value)
{
    const std::optional<editor::ModulePick> pick = editor::PickForMonitor(value);
    if (!pick) return;
    p_->endpoint->setText(editor::Shown(pick->text));
    editor::WriteChecked(p_->input, !pick->output);
    editor::WriteChecked(p_->output, pick->output);
    EndpointChanged();
}

void MonitorDialog::Redraw()
{
    p_->shown = ShowReading(p_->state.Reading(), p_->state.Endpoint(), p_->analog->currentIndex(),
                            p_->display->DigitCount(), p_->node ? &*p_->node : nullptr);
    const QString text = QString::fromLatin1(p_->shown.text);
    if (p_->display->Text() != text) p_->display->SetText(text);
    const QString caption = editor::Shown(p_->shown.caption);
    if (p_->caption->text() != caption) p_->caption->setText(caption);
}

void MonitorDialog::StartLogging()
{
    const QString title = tr(kLogTitle);
    const QString name = reports::Modal().SaveFileName(this, title, p_->logFolder, QString::fromLatin1(kLogFilter));
    if (name.isEmpty()) return;
    auto file = std::make_unique<QFile>(name);
    const QByteArray header = QByteArray::fromStdString(MonitorLogHeader());
    if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate) || file->write(header) != header.size() ||
        !file->flush()) {
        reports::Modal().Ask(this, QMessageBox::Warning, title,
                             tr("The log file %1 cannot be written: %2")
                                 .arg(QDir::toNativeSeparators(name), file->errorString()),
                             QMessageBox::Ok, QMessageBox::Ok);
        return;
    }
    p_->logFolder = QFileInfo(name).absolutePath();
    p_->log = std::move(file);
    ShowLogging();
}

void MonitorDialog::WriteLog(const std::string& row)
{
    const QByteArray bytes = QByteArray::fromStdString(row);
    // Flushed at once: a reading logged is on disk even if the program dies.
    if (p_->log->write(bytes) == bytes.size() && p_->log->flush()) return;
    const QString name = QDir::toNativeSeparators(p_->log->fileName());
    const QString reason = p_->log->errorString();
    StopLogging();
    reports::Modal().Ask(this, QMessageBox::Warning, tr(kLogTitle),
                         tr("Writing to the log file %1 failed: %2\nLogging has stopped.").arg(name, reason),
                         QMessageBox::Ok, QMessageBox::Ok);
}

void MonitorDialog::ShowLogging()
{
    const bool logging = Logging();
    p_->logButton->setText(logging ? tr("Stop &Logging") : tr("&Log to file…"));
    if (logging) {
        p_->logName->setText(tr("Logging to %1").arg(QFileInfo(p_->log->fileName()).fileName()));
        p_->logName->setToolTip(QDir::toNativeSeparators(p_->log->fileName()));
    }
    p_->logState->setVisible(logging);
}

} // namespace mnm::tools
