// The program's main window: the menu bar with every command, the caption,
// the recent files, the port menu and the status indicator, and the stack of
// views (blank, editor, monitor, test, engineering). The open configuration
// is the document's, the node the connection's; every decision comes from
// app/model, and this class wires widgets, the worker and files to them.
#pragma once

#include <QMainWindow>

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <utility>

#include "app/model/Caption.h"
#include "app/model/ConfigDocument.h"
#include "app/model/IndicatorTick.h"
#include "app/model/UnsavedPrompt.h"
#include "nodeconf/NodeConf.h"
#include "nodeconf/NodeStaticData.h"
#include "settings/ProgramSettings.h"
#include "worker/WorkerResults.h"

class QAction;
class QMenu;
class QStackedWidget;
class QTimer;

namespace mnm {
class NodeConnection;
}

namespace mnm::editor {
class NodePanelDialog;
}

namespace mnm::tools {
class EngineeringDialog;
class MonitorDialog;
class TestDialog;
}

namespace mnm::app {

class BlankView;
class PortMenu;
class StatusIndicator;
class WorkerPostBox;

struct FrameOptions {
    QString commandLineFile; // opened at set-up; empty for none
    bool virtualNode = false; // start with the built-in virtual node selected
    std::filesystem::path deviceRoot = "/"; // where the port menu looks for devices
    // A stop signal has come: a question it dismissed during set-up decided nothing.
    std::function<bool()> stopRequested = {};
};

class NMFrame : public QMainWindow {
    Q_OBJECT
public:
    // `settings` as read at start; what the window changes in them is
    // written when it closes. The connection's worker posts to `posts`.
    NMFrame(NodeConnection& connection, WorkerPostBox& posts, const ProgramSettings& settings, FrameOptions options,
            QWidget* parent = nullptr);
    ~NMFrame() override;

    // Carries out a command as its menu item would, if it is enabled now.
    void Command(int commandId);
    // The menu item of a command, or null when the menu has none.
    QAction* Action(int commandId) const;
    // Re-evaluates which commands can be chosen, as opening a menu does.
    void UpdateEnabling();

    const ConfigDocument& Document() const { return document_; }
    const ConfigState& State() const { return document_.State(); }
    const editor::EditorContents& Editor() const { return document_.Contents(); }
    const MRUList& RecentFiles() const { return document_.RecentFiles(); }
    // Ends the way a close that cannot ask would (a stop signal): a running
    // transfer stopped cleanly, an unsaved configuration kept for the next
    // start, the settings written, the window closed.
    void EndWithoutAsking();
    // Every question or report open now goes, as if cancelled: nobody can answer it.
    static void DismissOpenDialogs();

    // What an editor page does on an edit.
    void Edit(const std::function<void(editor::EditorContents&)>& change);
    editor::NodePanelDialog* EditorView() const { return editor_; }
    tools::MonitorDialog* MonitorView() const { return monitor_; }
    tools::TestDialog* TestView() const { return test_; }
    tools::EngineeringDialog* EngineeringView() const { return engineering_; }
    QWidget* CurrentView() const;
    StatusIndicator* Indicator() const { return indicator_; }
    // The port the connection was given last (empty: none).
    QString SelectedPort() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildViews();
    void BuildMenus();
    QAction* AddCommand(QMenu* menu, int commandId, const char* text);
    void BuildRecentFilesMenu();
    void SetUp(const FrameOptions& options);
    void WriteSettings();

    // Commands.
    void New();
    void Open();
    void OpenRecent(int number);
    void Close();
    int Save();
    int SaveAs();
    void Verify();
    void Receive();
    void Send();
    void Compare();
    void Resume();
    void Exit();
    void ShowLiveTool(QWidget* view, int commandId);
    void ToggleVersion();

    // Worker messages.
    void OnPosted(int commandId);
    void ReceiveEnded();
    void SendEnded();
    void CompareReceived();
    void NodeDataRead();
    void LiveData();
    void MonitorReading();
    // The attached node's description to every view that shows it; null: none.
    void ShowNodeData(const NodeStaticData* data);

    void OnTick();
    bool PromptSaveBeforeLeaving(Leaving leaving);
    void OpenConfigurationFile(const QString& path, const QString& errorTitle);
    void OpenCommandLineFile(const QString& path);
    int SaveRecord(const NodeConf& record, const QString& path);
    // Shows what a document command changed; its failure under `errorTitle`.
    int Apply(const DocumentResult& result, const QString& errorTitle);
    // A running transfer is stopped only when the user agrees; true when
    // none runs (any more).
    bool StopTransferFirst(const QString& question);
    // Cancels the running one-shot job and waits for its end (bounded).
    bool StopTransfer();
    // How the job StopTransfer stopped ended, and its command's title.
    std::pair<TransferOutcome, QString> StoppedOutcome();
    // Refuses a transfer at once, with the reason, when the port cannot be used.
    bool PortUsable(const QString& title);
    void OfferRecovery();
    void ShowView(QWidget* view);
    void ShowEditor();
    // The editor takes input again unless a transfer still runs.
    void EnableEditor();
    void UpdateCaption();

    NodeConnection& connection_;
    WorkerPostBox& posts_;
    const ProgramSettings startSettings_;
    ProgramSettings settings_;
    ConfigDocument document_;
    CaptionSettings caption_;
    IndicatorState indicatorState_;
    bool centred_ = false;
    bool closing_ = false;
    bool nodeConnected_ = false; // as the last tick saw it
    std::function<bool()> stopRequested_;
    int stoppedJob_ = 0;
    bool stopReported_ = false; // the stopped transfer's end was shown already
    QString lastFolder_;
    // Set while a receive runs for Compare with Node, so that its record
    // goes to the comparison and never into the editor.
    struct PendingCompare {
        NodeConf configuration; // the open configuration as stored when it began
        ConfigState state;
        QString port;
    };
    std::optional<PendingCompare> compare_;

    QStackedWidget* views_ = nullptr;
    BlankView* blank_ = nullptr;
    editor::NodePanelDialog* editor_ = nullptr;
    tools::MonitorDialog* monitor_ = nullptr;
    tools::TestDialog* test_ = nullptr;
    tools::EngineeringDialog* engineering_ = nullptr;
    StatusIndicator* indicator_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    PortMenu* ports_ = nullptr;
    std::map<int, QAction*> actions_;
    QList<QAction*> recentActions_;
    QTimer* timer_ = nullptr;
};

} // namespace mnm::app
