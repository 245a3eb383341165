// The frame's construction, menus, set-up and clean-up, views and tick.
// Its commands live in FrameCommands.cpp.
#include "app/MainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStackedWidget>
#include <QTimer>

#include "app/BlankView.h"
#include "app/PortMenu.h"
#include "app/StatusIndicator.h"
#include "app/WorkerPostBox.h"
#include "app/model/CommandIds.h"
#include "app/model/MenuEnabling.h"
#include "connection/NodeConnection.h"
#include "editor/NodePanelDialog.h"
#include "reports/ModalHost.h"
#include "resources/Pictures.h"
#include "tools/EngineeringDialog.h"
#include "tools/MonitorDialog.h"
#include "tools/TestDialog.h"

namespace mnm::app {

namespace {
constexpr int kTickMs = 50;
constexpr int kPictureSize = 20;
constexpr int kInitialWidth = 760;
constexpr int kInitialHeight = 480;

} // namespace

NMFrame::NMFrame(NodeConnection& connection, WorkerPostBox& posts, const ProgramSettings& settings,
                 FrameOptions options, QWidget* parent)
    : QMainWindow(parent), connection_(connection), posts_(posts), startSettings_(settings), settings_(settings),
      document_(settings.recentFiles), stopRequested_(options.stopRequested)
{
    setObjectName("NMFrame");
    setWindowIcon(QIcon(resources::PicturePath(resources::kProgramIcon)));
    BuildViews();
    BuildMenus();
    resize(kInitialWidth, kInitialHeight);
    connect(&posts_, &WorkerPostBox::Posted, this, &NMFrame::OnPosted);
    SetUp(options);
}

NMFrame::~NMFrame() = default;

void NMFrame::BuildViews()
{
    views_ = new QStackedWidget(this);
    blank_ = new BlankView(views_);
    editor_ = new editor::NodePanelDialog(document_, views_);
    connect(editor_, &editor::NodePanelDialog::ConfigurationChanged, this,
            [this] { OnPosted(kMsgConfigurationChanged); });
    monitor_ = new tools::MonitorDialog(connection_, settings_, views_);
    test_ = new tools::TestDialog(connection_, settings_, views_);
    engineering_ = new tools::EngineeringDialog(connection_, settings_, views_);
    for (QWidget* view : std::initializer_list<QWidget*>{blank_, editor_, monitor_, test_, engineering_})
        views_->addWidget(view);
    setCentralWidget(views_);
    connect(blank_, &BlankView::FileDropped, this, [this](const QString& path) {
        if (!DropAccepted({State().openState, connection_.worker().IsBusy(), State().modified})) return;
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
    AddCommand(fileMenu_, kCmdCompare, "Co&mpare with Node");
    fileMenu_->addSeparator();
    AddCommand(fileMenu_, kCmdResume, "&Resume");
    fileMenu_->addSeparator();
    AddCommand(fileMenu_, kCmdVerify, "&Verify");
    fileMenu_->addSeparator();
    AddCommand(fileMenu_, kCmdExit, "E&xit")->setShortcut(QKeySequence::Quit);
    connect(fileMenu_, &QMenu::aboutToShow, this, &NMFrame::UpdateEnabling);

    QMenu* setup = bar->addMenu(tr("&Setup"));
    QMenu* portMenu = setup->addMenu(tr("&Port"));
    portMenu->setObjectName("PortMenu");
    ports_ = new PortMenu(portMenu, connection_, [this] {
        return StopTransferFirst(tr("A transfer to the node is in progress. Stop it and change the port?"));
    }, this);
    connect(portMenu, &QMenu::aboutToShow, this, &NMFrame::UpdateEnabling);

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
    const MRUList& recent = document_.RecentFiles();
    if (recent.Count() == 0) return;
    recentActions_.append(fileMenu_->addSeparator());
    for (int n = 1; n <= recent.Count(); ++n) {
        const std::string text = RecentFileMenuText(n, *recent.Entry(n));
        recentActions_.append(AddCommand(fileMenu_, kCmdRecentFileBase + n, text.c_str()));
        recentActions_.back()->setText(QString::fromStdString(text));
    }
}

void NMFrame::SetUp(const FrameOptions& options)
{
    caption_.trinomialVersions = settings_.displayVersionNumbersAsTrinomials;
    caption_.showVersion = settings_.displayVersionInCaption;
    caption_.showFullPath = settings_.showFullPathInCaption;
    ShowView(blank_);
    ports_->Build({options.deviceRoot, settings_.port, settings_.disallowPorts, settings_.allowPortDeselection});
    if (!settings_.allowEngineeringDialog) {
        menuBar()->removeAction(actions_[kCmdEngineering]);
        actions_.erase(kCmdEngineering);
    }
    UpdateCaption();
    BuildRecentFilesMenu();

    timer_ = new QTimer(this);
    timer_->setInterval(kTickMs);
    connect(timer_, &QTimer::timeout, this, &NMFrame::OnTick);
    timer_->start();
    connection_.worker().StartLive(kMsgLiveData);

    if (!settings_.unwritableReason.empty())
        reports::Modal().Ask(this, QMessageBox::Warning, windowTitle(),
                             tr("Settings cannot be saved: %1").arg(QString::fromStdString(settings_.unwritableReason)),
                             QMessageBox::Ok, QMessageBox::Ok);
    if (options.virtualNode) ports_->ChooseVirtualNode();
    // A command-line file comes first; a kept configuration waits for the next start.
    if (!options.commandLineFile.isEmpty())
        OpenCommandLineFile(options.commandLineFile);
    else
        OfferRecovery();
}

void NMFrame::WriteSettings()
{
    settings_.displayVersionInCaption = caption_.showVersion;
    settings_.showFullPathInCaption = caption_.showFullPath;
    settings_.port = ports_->PortToSave();
    settings_.recentFiles = document_.RecentFiles().Entries();
    WriteChangedSettings(startSettings_, settings_);
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
    return it != actions_.end() ? it->second : ports_->Action(commandId);
}

void NMFrame::UpdateEnabling()
{
    const MenuInputs inputs{State().openState, connection_.worker().IsBusy(), State().modified};
    const MenuSettings settings{settings_.allowEngineeringDialog, settings_.allowPortDeselection};
    // A port's own state says whether it can be used: the port menu keeps it.
    for (auto& [id, action] : actions_) action->setEnabled(MenuCommandState(id, inputs, settings).enabled);
}

QWidget* NMFrame::CurrentView() const { return views_->currentWidget(); }

void NMFrame::ShowView(QWidget* view)
{
    views_->setCurrentWidget(view);
    view->setFocus();
}

void NMFrame::ShowEditor()
{
    if (CurrentView() != editor_) ShowView(editor_);
}

void NMFrame::EnableEditor()
{
    if (!connection_.worker().IsBusy()) editor_->EnableAll();
}

void NMFrame::UpdateCaption()
{
    setWindowTitle(QString::fromStdString(CaptionText(kProgramTitle, MNM_VERSION_TEXT, caption_, State())));
}

void NMFrame::Edit(const std::function<void(editor::EditorContents&)>& change)
{
    editor_->Edit(change);
}

QString NMFrame::SelectedPort() const { return ports_->Selected(); }

void NMFrame::OnTick()
{
    ports_->Tick();
    editor_->Tick();
    monitor_->Tick();
    // Also while hidden: a node's message that comes meanwhile is in its
    // list when the page is shown again, not lost in the link's mailbox.
    engineering_->Tick();
    Worker& worker = connection_.worker();
    WorkerSnapshot now = worker.Snapshot();
    TickInputs in;
    in.connected = now.connected;
    in.job = now.job;
    in.busy = now.busy;
    in.flashWriting = now.flashWriting;
    in.progressWord = now.progressWord;
    in.nodeNumber = now.nodeNumber;
    in.nodeName = std::move(now.networkName);
    in.liveViewShown = CurrentView() == test_ || CurrentView() == engineering_;
    in.portProblem = ports_->Problem();
    // A node gone takes its cards and channels with it.
    if (nodeConnected_ && !now.connected) ShowNodeData(nullptr);
    nodeConnected_ = now.connected;
    const TickResult result = IndicatorTick(indicatorState_, in);
    indicatorState_ = result.next;
    indicator_->Show(result.frame, result.texts, QString::fromStdString(result.tooltip));
    if (result.startNodeData) worker.StartNodeDataRead(kMsgNodeDataRead);
    if (result.retryLiveStart) worker.StartLive(kMsgLiveData);
}

void NMFrame::closeEvent(QCloseEvent* event)
{
    if (!closing_) {
        const bool goOn = StopTransferFirst(tr("A transfer to the node is in progress. Stop it and exit?")) &&
                          PromptSaveBeforeLeaving(Leaving::kExit);
        // A stop signal during those questions has ended the program's work
        // already (its own close cannot come through while this one runs).
        if (!goOn && !closing_) {
            event->ignore();
            return;
        }
        document_.Forget();
        UpdateCaption();
    }
    closing_ = true;
    timer_->stop();
    monitor_->StopLogging();
    WriteSettings();
    event->accept();
}

} // namespace mnm::app
