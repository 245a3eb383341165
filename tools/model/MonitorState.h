// What the monitor remembers between events: the endpoint it watches, the
// last reading of it and when that came, so an old reading ages out.
#pragma once

#include <chrono>
#include <optional>
#include <string_view>

#include "tools/model/MonitorDisplay.h"
#include "tools/model/MonitorEndpoint.h"
#include "worker/Worker.h"

namespace mnm::tools {

class MonitorState {
public:
    MonitorState(std::chrono::milliseconds now, std::chrono::milliseconds timeout);

    // The edit's text read as the endpoint to watch: nothing (and nothing
    // changes) when it is no endpoint of this node. A different endpoint
    // than before forgets the reading of the old one.
    std::optional<MonitoredEndpoint> ChangeEndpoint(std::string_view text, bool input);

    // Keeps a reading of the watched endpoint, stamped `now`; false (and
    // ignored) for one of any other endpoint, which can still be on its
    // way after the endpoint changed.
    bool Arrive(const MonitorReadingBytes& bytes, std::chrono::milliseconds now);

    // True when the reading aged out at `now`: older than the time-out, or
    // the clock went backwards. Either way the time starts again from now.
    bool Age(std::chrono::milliseconds now);

    // Another clock took over: the reading's age counts from `now`.
    void Restart(std::chrono::milliseconds now) { readingTime_ = now; }

    const MonitorReading& Reading() const { return reading_; }
    const MonitoredEndpoint* Endpoint() const { return endpoint_ ? &*endpoint_ : nullptr; }

private:
    std::optional<MonitoredEndpoint> endpoint_;
    MonitorReading reading_;
    std::chrono::milliseconds readingTime_;
    std::chrono::milliseconds timeout_;
};

} // namespace mnm::tools
