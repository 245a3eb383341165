// The program's main window: the menu bar with every command, the caption,
// the recent files, the port menu and the status indicator, and the stack of
// views (blank, editor, monitor, test, engineering). Every decision it makes
// comes from app/model; this class only wires widgets, the worker and files
// to those decisions.
#pragma once

#include <QMainWindow>
#include <QPointer>

#include <filesystem>
#include <functional>
#include <map>
#include <thread>

#include "app/model/Caption.h"
#include "app/model/ConfigState.h"
#include "app/model/IndicatorTick.h"
#include "app/model/MRUList.h"
#include "app/model/UnsavedPrompt.h"
#include "app/VirtualNodeHost.h"
#include "editor/model/EditorContents.h"
#include "nodeconf/NodeConf.h"

class QAction;
class QActionGroup;
class QMenu;
class QStackedWidget;
class QTimer;

namespace mnm::app {

class BlankView;
class StatusIndicator;
class SummaryView;
class WorkerPostBox;

struct FrameOptions {
    QString commandLineFile; // opened at set-up; empty for none
    bool virtualNode = false; // start with the built-in virtual node selected
    std::filesystem::path deviceRoot = "/"; // where the port menu looks for devices
};

// One frame at a time: its set-up starts the program's link thread, which
// it ends when it goes.
class NMFrame : public QMainWindow {
    Q_OBJECT
public:
    NMFrame(WorkerPostBox& posts, FrameOptions options, QWidget* parent = nullptr);
    ~NMFrame() override;

    // Carries out a command as its menu item would, if it is enabled now.
    void Command(int commandId);
    // The menu item of a command, or null when the menu has none.
    QAction* Action(int commandId) const;
    // Re-evaluates which commands can be chosen, as opening a menu does.
    void UpdateEnabling();

    const ConfigState& State() const { return state_; }
    const editor::EditorContents& Editor() const { return editor_; }
    // What an editor page does on an edit: change the contents, then tell
    // the frame that the configuration changed.
    void Edit(const std::function<void(editor::EditorContents&)>& change);
    const MRUList& RecentFiles() const { return recent_; }
    QWidget* CurrentView() const;
    StatusIndicator* Indicator() const { return indicator_; }
    // The port the link was given last (empty: none).
    QString SelectedPort() const { return selectedPort_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildViews();
    void BuildMenus();
    QAction* AddCommand(QMenu* menu, int commandId, const char* text);
    void BuildRecentFilesMenu();
    void BuildPortMenu();
    void SetUp(const FrameOptions& options);
    void CleanUp();

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
    void Resume();
    void Exit();
    void ShowLiveTool(QWidget* view, int commandId);
    void ChoosePort(QAction* action);
    void ToggleVersion();

    // Worker messages.
    void OnPosted(int commandId);
    void ReceiveEnded();
    void SendEnded();
    void NodeDataRead();

    void OnTick();
    bool PromptSaveBeforeLeaving(Leaving leaving);
    void OpenConfigurationFile(const QString& path, const QString& errorTitle);
    void OpenCommandLineFile(const QString& path);
    int WriteAndFinish(const NodeConf& record, const QString& path);
    // A running transfer is stopped only when the user agrees; true when
    // none runs (any more).
    bool StopTransferFirst(const QString& question);
    void ShowView(QWidget* view);
    void ShowEditor();
    // The editor takes input again unless a transfer still runs.
    void EnableEditor();
    void UpdateCaption();
    void SelectPort(const QString& path);

    WorkerPostBox& posts_;
    ConfigState state_;
    editor::EditorContents editor_;
    MRUList recent_;
    CaptionSettings caption_;
    IndicatorState indicatorState_;
    bool centred_ = false;
    bool closing_ = false;
    QString lastFolder_;
    QString selectedPort_;
    QString savedPort_; // the Port written at exit: never the virtual node's terminal
    QString portProblem_;
    int ticks_ = 0;
    std::filesystem::path deviceRoot_;
    VirtualNodeHost virtualNode_;

    QStackedWidget* views_ = nullptr;
    BlankView* blank_ = nullptr;
    SummaryView* summary_ = nullptr;
    QWidget* monitor_ = nullptr;
    QWidget* test_ = nullptr;
    QWidget* engineering_ = nullptr;
    StatusIndicator* indicator_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* portMenu_ = nullptr;
    QActionGroup* portGroup_ = nullptr;
    std::map<int, QAction*> actions_;
    QList<QAction*> recentActions_;
    QTimer* timer_ = nullptr;
    std::jthread link_;
};

} // namespace mnm::app
