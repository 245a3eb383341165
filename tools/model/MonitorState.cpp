#include "tools/model/MonitorState.h"

namespace mnm::tools {

MonitorState::MonitorState(std::chrono::milliseconds now, std::chrono::milliseconds timeout)
    : readingTime_(now), timeout_(timeout)
{
}

std::optional<MonitoredEndpoint> MonitorState::ChangeEndpoint(std::string_view text, bool input)
{
    const std::optional<MonitoredEndpoint> next = ParseMonitoredEndpoint(text, input);
    if (!next) return std::nullopt;
    if (endpoint_ != next) reading_ = {};
    endpoint_ = next;
    return next;
}

bool MonitorState::Arrive(const MonitorReadingBytes& bytes, std::chrono::milliseconds now)
{
    const MonitorReading reading = DecodeReading(bytes);
    if (!endpoint_ || reading.node != 0 || reading.kind != endpoint_->kind || reading.card != endpoint_->card ||
        reading.channel != endpoint_->first)
        return false;
    reading_ = reading;
    readingTime_ = now;
    return true;
}

bool MonitorState::Age(std::chrono::milliseconds now)
{
    if (now >= readingTime_ && now - readingTime_ <= timeout_) return false;
    readingTime_ = now;
    reading_ = {};
    return true;
}

} // namespace mnm::tools
