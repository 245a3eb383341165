// Setup > Port: the serial ports found without opening them, the saved port,
// the built-in virtual node and, when allowed, "[None]"; which port the node
// connection uses, and why it cannot be used right now.
#pragma once

#include <QObject>
#include <QString>

#include <filesystem>
#include <functional>
#include <map>
#include <string>

class QAction;
class QActionGroup;
class QMenu;

namespace mnm {
class NodeConnection;
}

namespace mnm::app {

struct PortMenuSettings {
    std::filesystem::path deviceRoot = "/"; // where the devices are looked for
    std::string savedPort;                  // "Port"
    std::string disallowPorts;              // "DisallowPorts"
    bool allowNone = false;                 // "AllowPortDeselection"
};

class PortMenu : public QObject {
    Q_OBJECT
public:
    // `mayChange` is asked before the port changes; false keeps the port.
    PortMenu(QMenu* menu, NodeConnection& connection, std::function<bool()> mayChange, QObject* parent);

    // Lists the ports and selects the saved one, checked.
    void Build(const PortMenuSettings& settings);
    // As a click on the item: asks first when the port would change.
    void Choose(QAction* action);
    void ChooseVirtualNode();
    // The item of a listed port (kCmdPortFirst on) or "[None]"; null otherwise.
    QAction* Action(int commandId) const;

    // The port the connection was given last; empty for none.
    QString Selected() const { return selected_; }
    // What "Port" is saved as: the port the user chose, never the virtual node.
    std::string PortToSave() const { return saved_; }

    // Called every tick; looks at the chosen port once a second.
    void Tick();
    // Why the chosen port cannot be used, or empty.
    const std::string& Problem() const { return problem_; }
    // The same, looked at now (before a transfer starts).
    const std::string& CheckNow();

private:
    void Select(const QString& path);
    void CheckOnly(const QString& path);

    QMenu* menu_;
    NodeConnection& connection_;
    std::function<bool()> mayChange_;
    QActionGroup* group_;
    std::map<int, QAction*> actions_;
    QString selected_;
    std::string saved_;
    std::string problem_;
    int ticks_ = 0;
};

} // namespace mnm::app
