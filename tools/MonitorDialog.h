// The monitor: the live value of one endpoint, or of a range of digital or
// status channels, of the attached node on a seven-segment display with a
// caption above it; every reading can be logged to a CSV file.
#pragma once

#include <QWidget>

#include <cstdint>
#include <memory>
#include <string>

#include "nodeconf/NodeStaticData.h"
#include "settings/ProgramSettings.h"
#include "tools/model/LiveClock.h"
#include "worker/Worker.h"

namespace mnm {
class NodeConnection;
}

namespace mnm::tools {

class MonitorDialog : public QWidget {
    Q_OBJECT
public:
    // Set up once: switching views keeps what it shows.
    MonitorDialog(NodeConnection& connection, const ProgramSettings& settings, QWidget* parent = nullptr);
    ~MonitorDialog() override;

    // Ticks age the reading out; the wall clock stamps logged readings.
    void SetClocks(TickClock ticks, WallClock wall);

    // A reading of the monitored endpoint (the frame's 8502).
    void ReadingArrived(const MonitorReadingBytes& reading);
    // The frame's 50 ms tick: blanks the display once the reading is too old.
    void Tick();
    // The attached node's description; null when the node went away.
    void NodeDataChanged(const NodeStaticData* data);
    // Hands the endpoint typed or picked to the worker (also when the view is opened).
    void EndpointChanged();

    // Whether readings are being written to a log file now.
    bool Logging() const;
    // Closes the log file, if one is open.
    void StopLogging();

private:
    void Picked(std::uint32_t value);
    void Redraw();
    void StartLogging();
    // Writes one line to the log; a failure stops logging and says so.
    void WriteLog(const std::string& row);
    void ShowLogging();

    struct Parts;
    std::unique_ptr<Parts> p_;
};

} // namespace mnm::tools
