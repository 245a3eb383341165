// The frame's construction, menus, set-up and clean-up, views and tick.
// Its commands live in FrameCommands.cpp.
#include "app/MainFrame.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStackedWidget>
#include <QTimer>

#include "app/BlankView.h"
#include "app/LiveViews.h"
#include "app/StatusIndicator.h"
#include "app/SummaryView.h"
#include "app/WorkerPostBox.h"
#include "app/model/CommandIds.h"
#include "app/model/MenuEnabling.h"
#include "app/model/PortList.h"
#include "app/PortCheck.h"
#include "link/Link.h"
#include "resources/Pictures.h"
#include "settings/Settings.h"
#include "worker/Worker.h"

namespace mnm::app {

namespace {
constexpr int kTickMs = 50;
// The chosen port's accessibility is looked at once a second, not every tick.
constexpr int kPortCheckTicks = 20;
constexpr int kPictureSize = 20;
constexpr int kInitialWidth = 760;
constexpr int kInitialHeight = 480;

} // namespace

NMFrame::NMFrame(WorkerPostBox& posts, FrameOptions options, QWidget* parent)
    : QMainWindow(parent), posts_(posts), deviceRoot_(options.deviceRoot)
{
    setObjectName("NMFrame");
    setWindowIcon(QIcon(resources::PicturePath(resources::kProgramIcon)));
    BuildViews();
    BuildMenus();
    resize(kInitialWidth, kInitialHeight);
    connect(&posts_, &WorkerPostBox::Posted, this, &NMFrame::OnPosted);
    SetUp(options);
}

NMFrame::~NMFrame()
{
    // The link thread ends with the frame; the program stops the worker first.
    link_.request_stop();
}

void NMFrame::BuildViews()
{
    views_ = new QStackedWidget(this);
    blank_ = new BlankView(views_);
    summary_ = new SummaryView(views_);
    monitor_ = MakeEmptyLiveView("DIALOG_MONITOR", tr("Monitor"), views_);
    test_ = MakeEmptyLiveView("DIALOG_TEST", tr("Radio Test"), views_);
    engineering_ = MakeEmptyLiveView("DIALOG_ENGINEERING", tr("Engineering"), views_);
    for (QWidget* view : std::initializer_list<QWidget*>{blank_, summary_, monitor_, test_, engineering_})
        views_->addWidget(view);
    setCentralWidget(views_);
    connect(blank_, &BlankView::FileDropped, this, [this](const QString& path) {
        if (!DropAccepted({state_.openState, WorkerIsBusy() != 0, state_.modified})) return;
        OpenConfigurationFile(path, tr("Error Opening Dropped File"));
    });
}

QAction* NMFrame::AddCommand(QMenu* menu, int commandId, const char* text)
{
    auto* action = new QAction(QString::fromLatin1(text), this);
    action->setObjectName(QString::number(commandId));
    connect(action, &QAction::triggered, this, [this, commandId] { Command(commandId); });
    if (menu) menu->addAction(action);
    actions_[commandId] = action;
    return action;
}

void NMFrame::BuildMenus()
{
    QMenuBar* bar = menuBar();
    bar->setNativeMenuBar(false); // the indicator lives in it, also under a global menu
    fileMenu_ = bar->addMenu(tr("&Node Configuration"));
    AddCommand(fileMenu_, kCmdNew, "&New")->setShortcut(QKeySequence::New);
    AddCommand(fileMenu_, kCmdOpen, "&Open")->setShortcut(QKeySequence::Open);
    AddCommand(fileMenu_, kCmdClose, "&Close");
    AddCommand(fileMenu_, kCmdSave, "&Save")->setShortcut(QKeySequence::Save);
    AddCommand(fileMenu_, kCmdSaveAs, "Save &As");
    fileMenu_->addSeparator();
    AddCommand(fileMenu_, kCmdReceive, "Recei&ve from Node");
    AddCommand(fileMenu_, kCmdSend, "Se&nd to Node");
    fileMenu_->addSeparator();
    AddCommand(fileMenu_, kCmdResume, "&Resume");
    fileMenu_->addSeparator();
    AddCommand(fileMenu_, kCmdVerify, "&Verify");
    fileMenu_->addSeparator();
    AddCommand(fileMenu_, kCmdExit, "E&xit")->setShortcut(QKeySequence::Quit);
    connect(fileMenu_, &QMenu::aboutToShow, this, &NMFrame::UpdateEnabling);

    QMenu* setup = bar->addMenu(tr("&Setup"));
    portMenu_ = setup->addMenu(tr("&Port"));
    portMenu_->setObjectName("PortMenu");
    portGroup_ = new QActionGroup(this);
    connect(portMenu_, &QMenu::aboutToShow, this, &NMFrame::UpdateEnabling);

    for (auto [id, text] : {std::pair{kCmdMonitor, "&Monitor!"}, {kCmdTest, "&Test!"}, {kCmdEngineering, "&Engineering!"}})
        bar->addAction(AddCommand(nullptr, id, text));

    // The picture and the status indicator at the right end of the menu bar.
    auto* corner = new QWidget(bar);
    auto* layout = new QHBoxLayout(corner);
    layout->setContentsMargins(0, 0, 4, 0);
    auto* picture = new QLabel(corner);
    picture->setObjectName(QString::number(kCmdPicture));
    picture->setPixmap(resources::RenderPicture(resources::kIndicatorPicture, {kPictureSize, kPictureSize},
                                                devicePixelRatioF()));
    picture->setEnabled(false);
    picture->setAccessibleName(tr("Network"));
    indicator_ = new StatusIndicator(corner);
    connect(indicator_, &StatusIndicator::Clicked, this, [this] { Command(kCmdStatusIndicator); });
    layout->addWidget(picture);
    layout->addWidget(indicator_);
    bar->setCornerWidget(corner, Qt::TopRightCorner);
}

void NMFrame::BuildRecentFilesMenu()
{
    for (QAction* action : recentActions_) {
        fileMenu_->removeAction(action);
        actions_.erase(action->objectName().toInt());
        delete action;
    }
    recentActions_.clear();
    if (recent_.Count() == 0) return;
    recentActions_.append(fileMenu_->addSeparator());
    for (int n = 1; n <= recent_.Count(); ++n) {
        const std::string text = RecentFileMenuText(n, *recent_.Entry(n));
        recentActions_.append(AddCommand(fileMenu_, kCmdRecentFileBase + n, text.c_str()));
        recentActions_.back()->setText(QString::fromStdString(text));
    }
}

void NMFrame::BuildPortMenu()
{
    PortScan scan;
    scan.root = deviceRoot_;
    scan.savedPort = ReadSetting(kSettingPort);
    scan.disallowPorts = ReadSetting(kSettingDisallowPorts);
    int id = kCmdPortFirst;
    QString selected;
    for (const PortEntry& entry : ListPorts(scan)) {
        const bool virtualNode = entry.kind == PortKind::kVirtualNode;
        auto* action = new QAction(QString::fromStdString(PortMenuText(entry)), this);
        action->setObjectName(virtualNode ? QStringLiteral("VirtualNode") : QString::number(id));
        action->setCheckable(true);
        action->setEnabled(entry.enabled);
        action->setToolTip(QString::fromStdString(entry.reason));
        action->setData(QString::fromStdString(entry.path)); // the path is data, never parsed from the text
        portGroup_->addAction(action);
        portMenu_->addAction(action);
        connect(action, &QAction::triggered, this, [this, action] { ChoosePort(action); });
        if (!virtualNode) actions_[id++] = action;
        if (entry.selected) selected = QString::fromStdString(entry.path);
        if (id > kCmdPortLast) break;
    }
    if (ReadSettingFlag(kSettingAllowPortDeselection)) {
        portMenu_->addSeparator();
        QAction* none = AddCommand(portMenu_, kCmdPortNone, "[None]");
        none->setCheckable(true);
        portGroup_->addAction(none);
    }
    savedPort_ = selected;
    SelectPort(selected);
}

void NMFrame::SetUp(const FrameOptions& options)
{
    caption_.trinomialVersions = ReadSettingFlag(kSettingDisplayVersionNumbersAsTrinomials);
    ShowView(blank_);
    BuildPortMenu();
    if (!ReadSettingFlag(kSettingAllowEngineeringDialog)) {
        menuBar()->removeAction(actions_[kCmdEngineering]);
        actions_.erase(kCmdEngineering);
    }
    caption_.showVersion = ReadSettingFlag(kSettingDisplayVersionInCaption);
    caption_.showFullPath = ReadSettingFlag(kSettingShowFullPathInCaption);
    UpdateCaption();
    recent_.Load([](std::string_view name) { return ReadSetting(name); });
    BuildRecentFilesMenu();

    timer_ = new QTimer(this);
    timer_->setInterval(kTickMs);
    connect(timer_, &QTimer::timeout, this, &NMFrame::OnTick);
    timer_->start();
    link_ = std::jthread([](std::stop_token stop) { LinkThread(std::move(stop)); });
    WorkerStartLive(kMsgLiveData);

    if (options.virtualNode) {
        const QString path = virtualNode_.Start();
        if (!path.isEmpty()) {
            for (QAction* action : portGroup_->actions())
                if (action->objectName() == QLatin1String("VirtualNode")) {
                    action->setChecked(true);
                    action->setData(path);
                }
            SelectPort(path);
        }
    }
    if (!options.commandLineFile.isEmpty()) OpenCommandLineFile(options.commandLineFile);
}

void NMFrame::CleanUp()
{
    for (const SettingChange& change : recent_.SaveChanges()) {
        if (change.value)
            WriteSetting(change.name, *change.value);
        else
            DeleteSetting(change.name);
    }
    WriteSetting(kSettingDisplayVersionInCaption, caption_.showVersion ? "1" : "0");
    WriteSetting(kSettingShowFullPathInCaption, caption_.showFullPath ? "1" : "0");
    WriteSetting(kSettingPort, savedPort_.toStdString());
}

void NMFrame::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (centred_) return;
    centred_ = true;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desk = screen->availableGeometry();
        move(desk.x() + (desk.width() - frameGeometry().width()) / 2,
             desk.y() + (desk.height() - frameGeometry().height()) / 2);
    }
}

QAction* NMFrame::Action(int commandId) const
{
    const auto it = actions_.find(commandId);
    return it == actions_.end() ? nullptr : it->second;
}

void NMFrame::UpdateEnabling()
{
    const MenuInputs inputs{state_.openState, WorkerIsBusy() != 0, state_.modified};
    const MenuSettings settings{ReadSettingFlag(kSettingAllowEngineeringDialog),
                                ReadSettingFlag(kSettingAllowPortDeselection)};
    for (auto& [id, action] : actions_) {
        if (id >= kCmdPortFirst && id <= kCmdPortNone) continue; // a port's own state says whether it can be used
        action->setEnabled(MenuCommandState(id, inputs, settings).enabled);
    }
}

QWidget* NMFrame::CurrentView() const { return views_->currentWidget(); }

void NMFrame::ShowView(QWidget* view)
{
    views_->setCurrentWidget(view);
    view->setFocus();
}

void NMFrame::ShowEditor()
{
    summary_->Show(editor_);
    ShowView(summary_);
}

void NMFrame::EnableEditor()
{
    if (WorkerIsBusy() == 0) summary_->setEnabled(true);
}

void NMFrame::UpdateCaption()
{
    setWindowTitle(QString::fromStdString(CaptionText(kProgramTitle, MNM_VERSION_TEXT, caption_, state_)));
}

void NMFrame::Edit(const std::function<void(editor::EditorContents&)>& change)
{
    change(editor_);
    summary_->Show(editor_);
    if (!state_.modified) {
        state_.modified = true;
        OnPosted(kMsgConfigurationChanged);
    }
}

void NMFrame::SelectPort(const QString& path)
{
    selectedPort_ = path;
    portProblem_.clear();
    ticks_ = 0;
    LinkSelectPort(path.toStdString());
}

void NMFrame::OnTick()
{
    if (++ticks_ % kPortCheckTicks == 0 || ticks_ == 1)
        portProblem_ = selectedPort_.isEmpty() ? QString()
                                               : QString::fromStdString(PortProblemNow(selectedPort_.toStdString()));
    char name[kIdentityNameLength + 1];
    TickInputs in;
    in.connected = WorkerIsNodeConnected() != 0;
    in.job = WorkerCurrentJob();
    in.busy = WorkerIsBusy() != 0;
    in.flashWriting = NodeFlashWriting();
    in.progressWord = WorkerProgressWord();
    in.nodeNumber = WorkerNodeIdentity(name, sizeof name);
    in.nodeName = name;
    in.liveViewShown = CurrentView() == test_ || CurrentView() == engineering_;
    in.portProblem = portProblem_.toStdString();
    const TickResult result = IndicatorTick(indicatorState_, in);
    indicatorState_ = result.next;
    indicator_->Show(result.frame, result.texts, QString::fromStdString(result.tooltip));
    if (result.startNodeData) WorkerStartNodeDataRead(kMsgNodeDataRead);
    if (result.retryLiveStart) WorkerStartLive(kMsgLiveData);
}

void NMFrame::closeEvent(QCloseEvent* event)
{
    if (!closing_) {
        if (!StopTransferFirst(tr("A transfer to the node is in progress. Stop it and exit?")) ||
            !PromptSaveBeforeLeaving(Leaving::kExit)) {
            event->ignore();
            return;
        }
        state_ = {};
        UpdateCaption();
    }
    closing_ = true;
    timer_->stop();
    CleanUp();
    event->accept();
}

} // namespace mnm::app
