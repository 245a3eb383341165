// The engineering page: drives single outputs of the attached node, reads
// its memory, lists the alarm state of every node and the node's own
// diagnostic messages.
#pragma once

#include <QWidget>

#include <memory>

#include "nodeconf/NodeStaticData.h"
#include "settings/ProgramSettings.h"

namespace mnm {
class NodeConnection;
}

namespace mnm::tools {

class EngineeringDialog : public QWidget {
    Q_OBJECT
public:
    // Set up once: switching views keeps what it shows.
    EngineeringDialog(NodeConnection& connection, const ProgramSettings& settings, QWidget* parent = nullptr);
    ~EngineeringDialog() override;

    // The frame's 50 ms tick while the page is shown: collects the memory
    // reply, the live values and the node's text messages.
    void Tick();
    // The attached node's description (fills empty endpoint fields); null
    // when the node went away.
    void NodeDataChanged(const NodeStaticData* data);

private:
    struct Parts;
    std::unique_ptr<Parts> p_;
};

} // namespace mnm::tools
