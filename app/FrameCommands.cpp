// The frame's commands and its handling of the worker's messages.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFileInfo>

#include <cstdio>
#include <filesystem>
#include <utility>
#include <QStackedWidget>

#include "app/BlankView.h"
#include "app/MainFrame.h"
#include "app/PortMenu.h"
#include "app/StatusIndicator.h"
#include "app/model/CommandIds.h"
#include "app/model/CompareReport.h"
#include "app/model/MenuEnabling.h"
#include "connection/NodeConnection.h"
#include "editor/NodePanelDialog.h"
#include "nodeconf/ErrorCatalogue.h"
#include "nodeconf/ResultCodes.h"
#include "nodeconf/TextEncoding.h"
#include "settings/Settings.h"
#include "tools/EngineeringDialog.h"
#include "tools/MonitorDialog.h"
#include "tools/TestDialog.h"
#include "records/RecordDiff.h"
#include "reports/CompareReportDialog.h"
#include "reports/ErrorReport.h"
#include "reports/ModalHost.h"
#include "reports/UnsavedFileDialog.h"
#include "transfer/RecordAsSent.h"

namespace mnm::app {

namespace {

const char* const kFileFilter = "Morvane Configuration Files (*.mnc);;All Files (*.*)";
// How long Exit or a port change waits for a stopped transfer to end; it
// ends within a fraction of a second.
constexpr auto kStopWait = std::chrono::milliseconds(3000);

// A notice with only an OK button, as the program's plain message boxes are.
void Notice(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text)
{
    reports::Modal().Ask(parent, icon, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

} // namespace

void NMFrame::Command(int id)
{
    UpdateEnabling();
    if (QAction* action = Action(id); action && !action->isEnabled()) return;
    if (id > kCmdRecentFileBase && id <= kCmdRecentFileLast) return OpenRecent(id - kCmdRecentFileBase);
    if (id >= kCmdPortFirst && id <= kCmdPortNone) return ports_->Choose(Action(id));
    switch (id) {
    case kCmdNew: return New();
    case kCmdOpen: return Open();
    case kCmdClose: return Close();
    case kCmdSave: Save(); return;
    case kCmdSaveAs: SaveAs(); return;
    case kCmdReceive: return Receive();
    case kCmdSend: return Send();
    case kCmdCompare: return Compare();
    case kCmdResume: return Resume();
    case kCmdVerify: return Verify();
    case kCmdExit: return Exit();
    case kCmdMonitor: return ShowLiveTool(monitor_, kCmdMonitor);
    case kCmdTest: return ShowLiveTool(test_, kCmdTest);
    case kCmdEngineering: return ShowLiveTool(engineering_, kCmdEngineering);
    case kCmdStatusIndicator: return ToggleVersion();
    default: return;
    }
}

bool NMFrame::PromptSaveBeforeLeaving(Leaving leaving)
{
    if (!document_.PrepareUnsavedPrompt()) return true; // nothing unsaved: counts as No
    ShowEditor();
    UpdateCaption();
    const PromptTexts texts = PromptTextsFor(leaving);
    const reports::UnsavedAnswer answer =
        reports::AskUnsaved(this, QString::fromLatin1(texts.question), QString::fromLatin1(texts.cancel));
    const int saved = answer == reports::UnsavedAnswer::Save ? SaveAs() : 0; // always the file dialog
    return PromptGoesOn(answer, saved);
}

int NMFrame::Apply(const DocumentResult& result, const QString& errorTitle)
{
    if (!result.report.ok()) {
        reports::ShowErrorReport(result.report, errorTitle, this);
        return result.report.code;
    }
    if (result.changed.contents) editor_->ContentsReplaced();
    if (result.changed.contents || result.changed.state) {
        if (document_.State().openState == kEditorShown)
            ShowEditor();
        else if (!document_.IsOpen())
            ShowView(blank_);
    }
    if (result.changed.recentFiles) BuildRecentFilesMenu();
    UpdateCaption();
    return 0;
}

void NMFrame::New()
{
    if (!PromptSaveBeforeLeaving(Leaving::kNew)) return;
    Apply(document_.New(), {});
}

void NMFrame::Open()
{
    if (!PromptSaveBeforeLeaving(Leaving::kOpen)) return;
    const QString path =
        reports::Modal().OpenFileName(this, tr("Open Existing Configuration"), lastFolder_, tr(kFileFilter));
    if (path.isEmpty()) return;
    lastFolder_ = QFileInfo(path).absolutePath();
    OpenConfigurationFile(path, tr("Error Opening File"));
}

void NMFrame::OpenRecent(int number)
{
    const std::optional<std::string> entry = document_.RecentFiles().Entry(number);
    if (!entry || entry->empty()) {
        Notice(this, QMessageBox::Warning, tr("(Internal Error)"), tr("Unable to open this file"));
        return;
    }
    const QString path = QString::fromStdString(*entry); // a copy: saving may change the list
    if (!PromptSaveBeforeLeaving(Leaving::kReopen)) return;
    OpenConfigurationFile(path, tr("Error Opening File"));
}

void NMFrame::OpenConfigurationFile(const QString& path, const QString& errorTitle)
{
    if (Apply(document_.Open(path.toStdString()), errorTitle) == 0) EnableEditor();
}

void NMFrame::OpenCommandLineFile(const QString& path)
{
    const DocumentResult opened = document_.OpenCommandLine(path.toStdString());
    if (opened.fileMissing) return; // as if no file had been given
    if (!opened.report.ok()) {
        Notice(nullptr, QMessageBox::NoIcon, QString(), tr("Error %1 on command-line file").arg(opened.report.code));
        document_.Close();
        ShowView(blank_);
        UpdateCaption();
        reports::ShowErrorReport(opened.report, tr("Error Opening File given on Command Line"), this);
        return;
    }
    Apply(opened, {});
}

void NMFrame::Close()
{
    if (!PromptSaveBeforeLeaving(Leaving::kClose)) return;
    Apply(document_.Close(), {});
}

int NMFrame::SaveRecord(const NodeConf& record, const QString& path)
{
    return Apply(document_.SaveTo(record, path.toStdString()), tr("Error during Save"));
}

int NMFrame::Save()
{
    NodeConf record;
    if (const Report stored = document_.Store(record); !stored.ok()) {
        reports::ShowErrorReport(stored, tr("Error during Save"), this);
        return stored.code;
    }
    if (State().fileName.empty()) return SaveAs();
    return SaveRecord(record, QString::fromStdString(State().fileName));
}

int NMFrame::SaveAs()
{
    constexpr int kNotStored = -1, kNoFileChosen = -2;
    NodeConf record;
    if (const Report stored = document_.Store(record); !stored.ok()) {
        reports::ShowErrorReport(stored, tr("Error during Save"), this);
        return kNotStored;
    }
    const QString chosen =
        reports::Modal().SaveFileName(this, tr("Save Configuration"), lastFolder_, tr(kFileFilter));
    if (chosen.isEmpty()) return kNoFileChosen;
    const QString path = QString::fromStdString(WithDefaultSuffix(chosen.toStdString()));
    lastFolder_ = QFileInfo(path).absolutePath();
    return SaveRecord(record, path);
}

void NMFrame::Verify()
{
    NodeConf record;
    reports::ShowErrorReport(document_.Store(record), tr("Verify"), this);
}

bool NMFrame::PortUsable(const QString& title)
{
    const std::string problem = ports_->CheckNow();
    if (problem.empty()) return true;
    // Refused at once: the transfer would only run out its time-outs and
    // then blame the node.
    reports::ShowErrorReport(Rejected(Utf8ToCp1252(problem)), title, this);
    return false;
}

void NMFrame::Receive()
{
    if (!PromptSaveBeforeLeaving(Leaving::kReceive)) return;
    if (!PortUsable(tr("Receiving from Node"))) return;
    editor_->DisableAll();
    if (connection_.worker().StartReceive(kMsgReceiveEnded) != StartResult::kStarted) {
        EnableEditor();
        Notice(nullptr, QMessageBox::Warning, tr("Upload from Node"), tr("Unable to start uploading"));
    }
}

void NMFrame::Send()
{
    NodeConf record;
    if (const Report stored = document_.Store(record); !stored.ok()) {
        reports::ShowErrorReport(stored, tr("Sending to Node"), this);
        return;
    }
    if (!PortUsable(tr("Sending to Node"))) return;
    editor_->DisableAll();
    if (connection_.worker().StartSend(record, kMsgSendEnded) != StartResult::kStarted) {
        EnableEditor();
        reports::ShowTextReport(tr("Unable to Start"), tr("Sending to Node"), this);
    }
}

void NMFrame::Compare()
{
    PendingCompare pending{{}, State(), SelectedPort()};
    if (const Report stored = document_.Store(pending.configuration); !stored.ok()) {
        reports::ShowErrorReport(stored, tr(kCompareTitle), this);
        return;
    }
    if (!PortUsable(tr("Receiving from Node"))) return;
    editor_->DisableAll();
    compare_ = std::move(pending);
    if (connection_.worker().StartReceive(kMsgCompareReceived) != StartResult::kStarted) {
        compare_.reset();
        EnableEditor();
        Notice(nullptr, QMessageBox::Warning, tr(kCompareTitle), tr("Unable to start uploading"));
    }
}

void NMFrame::Resume()
{
    document_.Resume();
    ShowEditor();
    UpdateCaption();
}

void NMFrame::Exit()
{
    if (!StopTransferFirst(tr("A transfer to the node is in progress. Stop it and exit?"))) return;
    if (!PromptSaveBeforeLeaving(Leaving::kExit)) return;
    document_.Forget();
    UpdateCaption();
    closing_ = true;
    close();
}

void NMFrame::ShowLiveTool(QWidget* view, int commandId)
{
    document_.CoverWithLiveTool();
    ShowView(view);
    UpdateCaption();
    // During a transfer or a hardware read the job starts when that ends.
    if (commandId == kCmdMonitor) {
        connection_.worker().StartMonitor(kMsgMonitorReading);
        monitor_->EndpointChanged();
    } else {
        connection_.worker().StartLive(kMsgLiveData);
    }
}

void NMFrame::ToggleVersion()
{
    caption_.showVersion = !caption_.showVersion;
    UpdateCaption();
}

bool NMFrame::StopTransferFirst(const QString& question)
{
    Worker& worker = connection_.worker();
    if (!worker.IsBusy()) return true;
    if (reports::Modal().Ask(this, QMessageBox::Warning, windowTitle(), question, QMessageBox::Yes | QMessageBox::No,
                             QMessageBox::No) != QMessageBox::Yes)
        return false;
    // A few hundred milliseconds at most: said at once, and waited for
    // without running the event loop, so no other command can start meanwhile.
    if (!StopTransfer()) return false;
    // The stop itself reports nothing, unless the node was left needing a
    // power cycle: that is said now, before the program ends or the port
    // changes, and not again when the transfer's end arrives.
    if (const auto [outcome, title] = StoppedOutcome(); outcome.schedulerLeftRaised) {
        reports::ShowErrorReport(outcome.report, title, this);
        stopReported_ = true;
    }
    return true;
}

bool NMFrame::StopTransfer()
{
    Worker& worker = connection_.worker();
    stoppedJob_ = worker.Snapshot().job;
    indicator_->ShowStopping();
    worker.CancelTransfer();
    return worker.WaitUntilIdle(kStopWait);
}

std::pair<TransferOutcome, QString> NMFrame::StoppedOutcome()
{
    Worker& worker = connection_.worker();
    if (stoppedJob_ == kJobSend) return {worker.SendOutcome(), tr("Sending to Node")};
    if (stoppedJob_ == kJobReceive) return {worker.ReceiveOutcome(), tr("Receiving from Node")};
    return {};
}

void NMFrame::EndWithoutAsking()
{
    if (closing_) return;
    DismissOpenDialogs();
    if (connection_.worker().IsBusy() && StopTransfer()) {
        if (const auto [outcome, title] = StoppedOutcome(); outcome.schedulerLeftRaised)
            std::fprintf(stderr, "morvane-node-manager: %s\n", Cp1252ToUtf8(MessageOf(outcome.report)).c_str());
    }
    if (document_.HasUnsaved()) {
        std::error_code error;
        Report kept = Rejected("every name for a kept configuration is taken");
        for (const std::string& path : RecoveryFileNames(RecoveryFilePath())) {
            if (std::filesystem::exists(path, error)) continue; // not offered yet: never overwritten
            kept = document_.KeepUnsaved(path);
            break;
        }
        if (!kept.ok())
            std::fprintf(stderr, "morvane-node-manager: the unsaved configuration could not be kept: %s\n",
                         Cp1252ToUtf8(MessageOf(kept)).c_str());
    }
    document_.Forget();
    closing_ = true;
    close();
}

void NMFrame::DismissOpenDialogs()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(window); dialog && dialog->isVisible()) dialog->reject();
}

void NMFrame::OfferRecovery()
{
    // One at a time: the others wait for the next start.
    std::error_code error;
    for (const std::string& path : RecoveryFileNames(RecoveryFilePath())) {
        if (!std::filesystem::exists(path, error)) continue;
        const QString question = tr("A configuration that had not been saved was kept when the program was last "
                                    "ended. Open it?");
        const bool open = reports::Modal().Ask(this, QMessageBox::Question, windowTitle(), question,
                                               QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
        // Dismissed by a stop signal: not declined, so it stays for the next start.
        if (stopRequested_ && stopRequested_()) return;
        // Gone once opened or declined; one that cannot be opened stays for a look by hand.
        if (!open || Apply(document_.OpenRecovered(path), tr("Error Opening File")) == 0)
            std::filesystem::remove(path, error);
        return;
    }
}

void NMFrame::OnPosted(int id)
{
    switch (id) {
    case kMsgReceiveEnded: return ReceiveEnded();
    case kMsgSendEnded: return SendEnded();
    case kMsgCompareReceived: return CompareReceived();
    case kMsgNodeDataRead: return NodeDataRead();
    case kMsgConfigurationChanged: return UpdateCaption();
    case kMsgLiveData: return LiveData();
    case kMsgMonitorReading: return MonitorReading();
    default: return;
    }
}

void NMFrame::ReceiveEnded()
{
    DocumentResult received = document_.ReceiveEnded(connection_.worker().TakeReceived());
    if (std::exchange(stopReported_, false)) received.report = {}; // said when it was stopped
    Apply(received, tr("Receiving from Node"));
    EnableEditor();
}

void NMFrame::SendEnded()
{
    const Report sent = document_.SendEnded(connection_.worker().SendOutcome());
    if (!std::exchange(stopReported_, false) && !sent.ok()) reports::ShowErrorReport(sent, tr("Sending to Node"), this);
    EnableEditor();
    UpdateCaption();
}

void NMFrame::CompareReceived()
{
    // Taken in any case, so that the next receive can start.
    const ReceivedRecord received = connection_.worker().TakeReceived();
    EnableEditor();
    if (!compare_) return;
    const PendingCompare pending = std::move(*compare_);
    compare_.reset();
    const bool stopShown = std::exchange(stopReported_, false);
    if (!received.record) {
        if (const Report failed = ReceiveFailure(received.outcome); !failed.ok() && !stopShown)
            reports::ShowErrorReport(failed, tr("Receiving from Node"), this);
        return;
    }
    // As mnm diff takes a file beside a node: what only the send's own rules
    // change (the highway byte) is no difference.
    const NodeConf comparable = ComparableWithNode(pending.configuration, *received.record);
    std::vector<std::string> differences;
    for (const FieldDifference& difference : DiffRecords(comparable, *received.record))
        differences.push_back(DifferenceText(difference));
    const CompareReportTexts texts = CompareReport(pending.state, pending.port.toStdString(), std::move(differences));
    QStringList lines;
    for (const std::string& line : texts.lines) lines << QString::fromStdString(line);
    reports::ShowCompareReport(this, tr(kCompareTitle), QString::fromStdString(texts.heading), lines,
                               QString::fromStdString(CompareClipboardText(texts)));
}

void NMFrame::NodeDataRead()
{
    // Taken so that the next connection's read can start; the editor's
    // modules trees show what the node has.
    const auto read = connection_.worker().TakeNodeData();
    if (read.data) ShowNodeData(&*read.data);
}

void NMFrame::ShowNodeData(const NodeStaticData* data)
{
    engineering_->NodeDataChanged(data);
    monitor_->NodeDataChanged(data);
    editor_->ShowModules(data);
    test_->NodeDataChanged(data);
}

void NMFrame::LiveData()
{
    // Nothing while another job runs or no node answers: the page is reset.
    test_->LiveData(connection_.worker().StatusBlock());
}

void NMFrame::MonitorReading()
{
    // A reading that arrives after the monitor job ended is not passed on.
    if (const auto reading = connection_.worker().MonitorReading()) monitor_->ReadingArrived(*reading);
}

} // namespace mnm::app
