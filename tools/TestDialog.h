// The radio test page: what the attached node says about itself and the
// live state of its radio, local and remote carrier tests, and a plot of the
// received signal strength of the last minutes under the gauge.
#pragma once

#include <QWidget>

#include <memory>
#include <optional>

#include "nodeconf/NodeStaticData.h"
#include "settings/ProgramSettings.h"
#include "tools/model/LiveClock.h"
#include "worker/Worker.h"

namespace mnm {
class NodeConnection;
}

namespace mnm::tools {

class TestDialog : public QWidget {
    Q_OBJECT
public:
    // Set up once: switching views keeps what it shows.
    TestDialog(NodeConnection& connection, const ProgramSettings& settings, QWidget* parent = nullptr);
    ~TestDialog() override;

    // Ticks place the signal strength samples in time.
    void SetClock(TickClock ticks);

    // The frame's 8501: the live job's status block, or nothing when it has
    // none (no node, or another job runs): the page is reset then.
    void LiveData(const std::optional<StatusBlockBytes>& block);
    // The attached node's description; null when the node went away.
    void NodeDataChanged(const NodeStaticData* data);

private:
    void Build();
    void Connect();
    // Lamps and enabling from the mode and the remote edits.
    void ApplyRules();
    void Update(const StatusBlockBytes& block);
    void Reset();

    struct Parts;
    std::unique_ptr<Parts> p_;
};

} // namespace mnm::tools
