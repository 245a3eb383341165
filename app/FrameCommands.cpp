// The frame's commands and its handling of the worker's messages.
#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QStackedWidget>
#include <QThread>
#include <optional>
#include <string>

#include "app/BlankView.h"
#include "app/ConfigFiles.h"
#include "app/MainFrame.h"
#include "app/SummaryView.h"
#include "app/model/CommandIds.h"
#include "app/model/FileOutcome.h"
#include "app/model/MenuEnabling.h"
#include "editor/model/Transfer.h"
#include "nodeconf/ResultCodes.h"
#include "reports/ErrorReport.h"
#include "reports/ModalHost.h"
#include "reports/UnsavedFileDialog.h"
#include "transfer/TransferMessage.h"
#include "worker/Worker.h"

namespace mnm::app {

namespace {

const char* const kFileFilter = "Morvane Configuration Files (*.mnc);;All Files (*.*)";
constexpr char kDefaultSuffix[] = "mnc";
// How long Exit or a port change waits for a stopped transfer to end; it
// ends within a fraction of a second.
constexpr int kStopWaitMs = 3000;

// The worker's failure text as it keeps it, in the catalogue's code page;
// none when it kept none.
std::optional<std::string> Message()
{
    char text[kTransferMessageLength + 1];
    WorkerMessage(text, sizeof text);
    if (text[0] == '\0') return std::nullopt;
    return std::string(text);
}

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
    if (id >= kCmdPortFirst && id <= kCmdPortNone) return ChoosePort(Action(id));
    switch (id) {
    case kCmdNew: return New();
    case kCmdOpen: return Open();
    case kCmdClose: return Close();
    case kCmdSave: Save(); return;
    case kCmdSaveAs: SaveAs(); return;
    case kCmdReceive: return Receive();
    case kCmdSend: return Send();
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
    if (!PrepareUnsavedPrompt(state_)) return true; // nothing unsaved: counts as No
    ShowEditor();
    UpdateCaption();
    const PromptTexts texts = PromptTextsFor(leaving);
    const reports::UnsavedAnswer answer =
        reports::AskUnsaved(this, QString::fromLatin1(texts.question), QString::fromLatin1(texts.cancel));
    const int saved = answer == reports::UnsavedAnswer::Save ? SaveAs() : 0; // always the file dialog
    return PromptGoesOn(answer, saved);
}

void NMFrame::New()
{
    if (!PromptSaveBeforeLeaving(Leaving::kNew)) return;
    editor::Reset(editor_);
    state_ = {kEditorShown, false, {}};
    ShowEditor();
    UpdateCaption();
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
    const std::optional<std::string> entry = recent_.Entry(number);
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
    NodeConf record{};
    const Report read = ReadConfiguration(path, record);
    if (FinishOpen(state_, recent_, path.toStdString(), read.code) != 0) {
        reports::ShowErrorReport(read, errorTitle, this);
        return;
    }
    editor::LoadIntoEditor(record, editor_);
    ShowEditor();
    EnableEditor();
    UpdateCaption();
    BuildRecentFilesMenu();
}

void NMFrame::OpenCommandLineFile(const QString& path)
{
    NodeConf record{};
    const Report read = ReadConfiguration(path, record);
    if (read.code == kCannotReadFile) return; // as if no file had been given
    if (!read.ok()) {
        Notice(nullptr, QMessageBox::NoIcon, QString(), tr("Error %1 on command-line file").arg(read.code));
        state_ = {};
        ShowView(blank_);
        UpdateCaption();
        reports::ShowErrorReport(read, tr("Error Opening File given on Command Line"), this);
        return;
    }
    editor::LoadIntoEditor(record, editor_);
    state_ = {kEditorShown, false, path.toStdString()};
    ShowEditor();
    UpdateCaption();
}

void NMFrame::Close()
{
    if (!PromptSaveBeforeLeaving(Leaving::kClose)) return;
    state_ = {};
    ShowView(blank_);
    UpdateCaption();
}

int NMFrame::WriteAndFinish(const NodeConf& record, const QString& path)
{
    const bool written = WriteConfiguration(record, path) == 0;
    if (const int code = FinishSave(state_, recent_, path.toStdString(), written)) {
        reports::ShowErrorReport(Report{code}, tr("Error during Save"), this);
        return code;
    }
    ShowEditor();
    UpdateCaption();
    BuildRecentFilesMenu();
    return 0;
}

int NMFrame::Save()
{
    NodeConf record{};
    if (const Report stored = editor::StoreFromEditor(editor_, record); !stored.ok()) {
        reports::ShowErrorReport(stored, tr("Error during Save"), this);
        return stored.code;
    }
    if (state_.fileName.empty()) return SaveAs();
    return WriteAndFinish(record, QString::fromStdString(state_.fileName));
}

int NMFrame::SaveAs()
{
    constexpr int kNotStored = -1, kNoFileChosen = -2;
    NodeConf record{};
    if (const Report stored = editor::StoreFromEditor(editor_, record); !stored.ok()) {
        reports::ShowErrorReport(stored, tr("Error during Save"), this);
        return kNotStored;
    }
    QString path = reports::Modal().SaveFileName(this, tr("Save Configuration"), lastFolder_, tr(kFileFilter));
    if (path.isEmpty()) return kNoFileChosen;
    if (QFileInfo(path).suffix().isEmpty()) path += QLatin1Char('.') + QLatin1String(kDefaultSuffix);
    lastFolder_ = QFileInfo(path).absolutePath();
    return WriteAndFinish(record, path);
}

void NMFrame::Verify()
{
    NodeConf record{};
    reports::ShowErrorReport(editor::StoreFromEditor(editor_, record), tr("Verify"), this);
}

void NMFrame::Receive()
{
    if (!PromptSaveBeforeLeaving(Leaving::kReceive)) return;
    summary_->setEnabled(false);
    if (WorkerStartReceive(kMsgReceiveEnded) < 0) {
        EnableEditor();
        Notice(nullptr, QMessageBox::Warning, tr("Upload from Node"), tr("Unable to start uploading"));
    }
}

void NMFrame::Send()
{
    NodeConf record{};
    if (const Report stored = editor::StoreFromEditor(editor_, record); !stored.ok()) {
        reports::ShowErrorReport(stored, tr("Sending to Node"), this);
        return;
    }
    summary_->setEnabled(false);
    if (WorkerStartSend(record, kMsgSendEnded) < 0) {
        EnableEditor();
        reports::ShowTextReport(tr("Unable to Start"), tr("Sending to Node"), this);
    }
}

void NMFrame::Resume()
{
    state_.openState = kEditorShown;
    ShowEditor();
    UpdateCaption();
}

void NMFrame::Exit()
{
    if (!StopTransferFirst(tr("A transfer to the node is in progress. Stop it and exit?"))) return;
    if (!PromptSaveBeforeLeaving(Leaving::kExit)) return;
    state_ = {};
    UpdateCaption();
    closing_ = true;
    close();
}

void NMFrame::ShowLiveTool(QWidget* view, int commandId)
{
    if (state_.openState == kEditorShown) state_.openState = kLiveToolShown;
    ShowView(view);
    UpdateCaption();
    if (commandId == kCmdMonitor)
        WorkerStartMonitor(kMsgMonitorReading);
    else
        WorkerStartLive(kMsgLiveData); // refused during a transfer; the tick tries again
}

void NMFrame::ChoosePort(QAction* action)
{
    if (action == nullptr) return;
    const bool virtualNode = action->objectName() == QLatin1String("VirtualNode");
    const QString path = virtualNode ? virtualNode_.Start() : action->data().toString();
    if (path != selectedPort_ &&
        !StopTransferFirst(tr("A transfer to the node is in progress. Stop it and change the port?"))) {
        for (QAction* other : portGroup_->actions())
            other->setChecked(other->data().toString() == selectedPort_ && !other->data().toString().isEmpty());
        return;
    }
    action->setChecked(true);
    if (virtualNode)
        action->setData(path); // so that a refused change can check it again
    else
        savedPort_ = path; // the virtual node's terminal is never saved as Port
    SelectPort(path);
}

void NMFrame::ToggleVersion()
{
    caption_.showVersion = !caption_.showVersion;
    UpdateCaption();
}

bool NMFrame::StopTransferFirst(const QString& question)
{
    if (WorkerIsBusy() == 0) return true;
    if (reports::Modal().Ask(this, QMessageBox::Warning, windowTitle(), question, QMessageBox::Yes | QMessageBox::No,
                             QMessageBox::No) != QMessageBox::Yes)
        return false;
    WorkerCancelTransfer();
    QElapsedTimer waited;
    waited.start();
    while (WorkerIsBusy() != 0 && waited.elapsed() < kStopWaitMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return WorkerIsBusy() == 0;
}

void NMFrame::OnPosted(int id)
{
    switch (id) {
    case kMsgReceiveEnded: return ReceiveEnded();
    case kMsgSendEnded: return SendEnded();
    case kMsgNodeDataRead: return NodeDataRead();
    case kMsgConfigurationChanged: return UpdateCaption();
    default: return; // live data and monitor readings: their views come later
    }
}

void NMFrame::ReceiveEnded()
{
    NodeConf record{};
    const QString title = tr("Receiving from Node");
    switch (WorkerTakeReceivedRecord(record)) {
    case 1:
        editor::LoadIntoEditor(record, editor_);
        state_ = {kEditorShown, false, {}};
        ShowEditor();
        break;
    case kRequestFailed: {
        const std::optional<std::string> text = Message();
        reports::ShowErrorReport(text ? Rejected(*text) : Report{kUploadFailed}, title, this);
        break;
    }
    case kRequestNone: reports::ShowTextReport(tr("Nothing has been received"), title, this); break;
    case kRequestRunning: reports::ShowTextReport(tr("A Reception is already in progress"), title, this); break;
    default: reports::ShowTextReport(tr("Unknown Error"), title, this); break;
    }
    EnableEditor();
    summary_->Show(editor_);
    UpdateCaption();
}

void NMFrame::SendEnded()
{
    const QString title = tr("Sending to Node");
    switch (WorkerSendStatus()) {
    case kRequestDone: break;
    case kRequestFailed: {
        reports::ShowErrorReport(Report{WorkerSendResult(), Message()}, title, this);
        break;
    }
    case kRequestNone: reports::ShowTextReport(tr("Nothing was successfully sent"), title, this); break;
    case kRequestRunning: reports::ShowTextReport(tr("A Sending to the Node is still in progress"), title, this); break;
    default: reports::ShowTextReport(tr("Unknown Error"), title, this); break;
    }
    EnableEditor();
    UpdateCaption();
}

void NMFrame::NodeDataRead()
{
    // Taken so that the next connection's read can start; the views that
    // show the hardware come with the editor's pages and the live tools.
    NodeStaticData data;
    WorkerTakeNodeData(data);
}

} // namespace mnm::app
