// The user-interface side of the worker: starting jobs, reading results and
// leaving requests, each under the worker lock and without any I/O.
#include <algorithm>
#include <cstring>

#include "worker/WorkerState.h"

namespace mnm {
namespace {

using Guard = std::lock_guard<std::mutex>;

bool Busy(const WorkerData& d) { return IsOneShotJob(d.job); }

// Remembers the running job and switches to a one-shot one, with a stop
// source of its own from this moment, so that a stop asked for before its
// pass even begins still ends it.
void EnterOneShot(WorkerShared& s, int job, int commandId)
{
    WorkerData& d = s.data;
    d.pending = WorkerRequests{}; // left for the job before: not carried out long after
    d.previousJob = d.job;
    d.job = job;
    d.target[job] = commandId;
    s.transfer = std::stop_source();
}

// Receive and node data: refused while a result waits to be taken.
template <typename StatusOf>
StartResult StartReading(WorkerShared& s, int job, int commandId, StatusOf statusOf)
{
    Guard guard(s.lock);
    WorkerData& d = s.data;
    if (Busy(d)) return StartResult::kBusy;
    RequestStatus& status = statusOf(d);
    if (status == RequestStatus::kDone) return StartResult::kResultWaiting;
    status = RequestStatus::kRunning;
    EnterOneShot(s, job, commandId);
    return StartResult::kStarted;
}

// Monitor or live: started now, or when the running one-shot job ends.
// Requests left for another job are forgotten, so that none fires minutes
// later in a job the operator did not leave it for.
StartResult StartContinuing(WorkerData& d, int job, int commandId)
{
    d.target[job] = commandId;
    const bool busy = Busy(d);
    int& next = busy ? d.previousJob : d.job;
    if (next != job) {
        d.pending = WorkerRequests{};
        // Values gathered before another job ran may be stale; while the
        // live job goes on (the test page, then the engineering page) they stay.
        if (job == kJobLive) ResetLiveGathering(d);
    }
    next = job;
    return busy ? StartResult::kBusy : StartResult::kStarted;
}

} // namespace

void ResetLiveGathering(WorkerData& d)
{
    d.liveState = LiveValuesState::kNone;
    d.liveNext = 0;
    std::fill(std::begin(d.liveWorking), std::end(d.liveWorking), kNoLiveValue);
}

Worker::Worker(FrameLine& line) : s_(std::make_unique<WorkerShared>(line, ChannelBudgets{})) {}

Worker::~Worker() { Stop(); }

bool Worker::Start(PostCommandId post, const WorkerOptions& options)
{
    WorkerShared& s = *s_;
    Stop();
    {
        Guard guard(s.lock);
        s.data = WorkerData{};
        std::fill(std::begin(s.data.liveValues), std::end(s.data.liveValues), kNoLiveValue);
        ResetLiveGathering(s.data);
    }
    // Only the thread uses these once it runs.
    s.post = std::move(post);
    s.options = options;
    s.channel.SetBudgets(options.budgets);
    s.thread = std::jthread([&s](std::stop_token stop) { WorkerLoop(s, std::move(stop)); });
    return s.thread.joinable();
}

void Worker::Stop()
{
    WorkerShared& s = *s_;
    if (!s.thread.joinable()) return;
    CancelTransfer();
    s.thread.request_stop();
    s.thread.join();
}

void Worker::CancelTransfer()
{
    std::stop_source transfer{std::nostopstate}, pass{std::nostopstate};
    {
        Guard guard(s_->lock);
        transfer = s_->transfer;
        // A live or monitor pass is cut short only when it holds up a
        // one-shot job that is waiting to start: otherwise it has its
        // operator's requests to carry out.
        if (Busy(s_->data)) pass = s_->pass;
    }
    // Outside the lock: the requests wake the waits.
    transfer.request_stop();
    pass.request_stop();
}

bool Worker::WaitUntilIdle(std::chrono::milliseconds limit)
{
    std::unique_lock<std::mutex> lock(s_->lock);
    return s_->idle.wait_for(lock, limit, [this] { return !Busy(s_->data); });
}

void Worker::SetNextCommandSequence(int number) { s_->channel.SetNextSequence(number); }

StartResult Worker::StartSend(const NodeConf& record, int commandId, SendCommit commit)
{
    Guard guard(s_->lock);
    WorkerData& d = s_->data;
    if (Busy(d)) return StartResult::kBusy;
    d.recordToSend = record;
    d.commit = commit;
    d.send = {RequestStatus::kRunning, {}};
    EnterOneShot(*s_, kJobSend, commandId);
    return StartResult::kStarted;
}

StartResult Worker::StartReceive(int commandId)
{
    return StartReading(*s_, kJobReceive, commandId, [](WorkerData& d) -> RequestStatus& {
        d.receive.report = {};
        return d.receive.status;
    });
}

StartResult Worker::StartNodeDataRead(int commandId)
{
    return StartReading(*s_, kJobNodeData, commandId, [](WorkerData& d) -> RequestStatus& { return d.nodeDataStatus; });
}

StartResult Worker::StartMonitor(int commandId)
{
    Guard guard(s_->lock);
    return StartContinuing(s_->data, kJobMonitor, commandId);
}

// Refused while a one-shot job runs, but remembered, as the monitor is.
StartResult Worker::StartLive(int commandId)
{
    Guard guard(s_->lock);
    return StartContinuing(s_->data, kJobLive, commandId);
}

WorkerSnapshot Worker::Snapshot()
{
    Guard guard(s_->lock);
    const WorkerData& d = s_->data;
    WorkerSnapshot snapshot;
    snapshot.job = d.job;
    snapshot.busy = Busy(d);
    snapshot.connected = d.connected != 0;
    snapshot.progressWord = d.progress;
    snapshot.flashWriting = s_->channel.FlashWriting();
    // Unknown unless identity monitoring is on: the passes read it only then.
    snapshot.nodeNumber = d.nodeNumber;
    snapshot.networkName = d.networkName;
    return snapshot;
}

bool Worker::IsBusy()
{
    Guard guard(s_->lock);
    return Busy(s_->data);
}

bool Worker::IsNodeConnected()
{
    Guard guard(s_->lock);
    return s_->data.connected != 0;
}

TransferOutcome Worker::SendOutcome()
{
    Guard guard(s_->lock);
    return s_->data.send;
}

TransferOutcome Worker::ReceiveOutcome()
{
    Guard guard(s_->lock);
    return s_->data.receive;
}

ReceivedRecord Worker::TakeReceived()
{
    Guard guard(s_->lock);
    WorkerData& d = s_->data;
    ReceivedRecord taken{d.receive, std::nullopt};
    if (d.receive.status == RequestStatus::kDone) {
        taken.record = d.receivedRecord;
        d.receive = {};
    }
    return taken;
}

NodeDataRead Worker::TakeNodeData()
{
    Guard guard(s_->lock);
    WorkerData& d = s_->data;
    NodeDataRead taken{d.nodeDataStatus, std::nullopt};
    if (d.nodeDataStatus == RequestStatus::kDone) {
        taken.data = d.nodeData;
        d.nodeDataStatus = RequestStatus::kNone;
    }
    return taken;
}

std::optional<StatusBlockBytes> Worker::StatusBlock()
{
    Guard guard(s_->lock);
    const WorkerData& d = s_->data;
    if (d.job != kJobLive || d.connected == 0) return std::nullopt;
    StatusBlockBytes block;
    std::copy(std::begin(d.statusBlock), std::end(d.statusBlock), block.begin());
    return block;
}

std::optional<MonitorReadingBytes> Worker::MonitorReading()
{
    Guard guard(s_->lock);
    const WorkerData& d = s_->data;
    if (d.job != kJobMonitor) return std::nullopt;
    MonitorReadingBytes reading;
    std::copy(std::begin(d.monitorReading), std::end(d.monitorReading), reading.begin());
    return reading;
}

LiveValuesState Worker::LiveValuesReady()
{
    Guard guard(s_->lock);
    return s_->data.liveState;
}

LiveValues Worker::TakeLiveValues()
{
    Guard guard(s_->lock);
    WorkerData& d = s_->data;
    LiveValues values;
    std::copy(std::begin(d.liveValues), std::end(d.liveValues), values.begin());
    if (d.liveState == LiveValuesState::kNew) d.liveState = LiveValuesState::kTaken;
    return values;
}

std::optional<MemoryReply> Worker::TakeMemoryReply()
{
    Guard guard(s_->lock);
    WorkerData& d = s_->data;
    if (!d.memoryReady) return std::nullopt;
    d.memoryReady = false;
    return d.memory;
}

void Worker::SelectMonitoredEndpoint(char kind, std::uint8_t card, std::uint8_t channel)
{
    Guard guard(s_->lock);
    std::uint8_t* m = s_->data.monitored;
    m[0] = static_cast<std::uint8_t>(kind);
    m[1] = card;
    m[2] = channel;
}

EngineeringRequest Worker::RequestEngineeringCommand(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() > static_cast<std::size_t>(kMaxEngineeringBytes)) return EngineeringRequest::kTooLong;
    if (bytes.empty()) return EngineeringRequest::kEmpty;
    Guard guard(s_->lock);
    WorkerRequests& r = s_->data.pending;
    if (r.engineeringCount != 0) return EngineeringRequest::kOnePending;
    std::copy(bytes.begin(), bytes.end(), r.engineering);
    r.engineeringCount = static_cast<int>(bytes.size());
    return EngineeringRequest::kTaken;
}

void Worker::RequestOnOff(std::uint8_t value)
{
    Guard guard(s_->lock);
    s_->data.pending.onOff = value;
}

void Worker::RequestToggle()
{
    Guard guard(s_->lock);
    bool& toggle = s_->data.pending.toggle;
    toggle = !toggle;
}

void Worker::RequestChannelStep(int steps)
{
    Guard guard(s_->lock);
    s_->data.pending.channelSteps += steps;
}

void Worker::RequestPowerStep(int steps)
{
    Guard guard(s_->lock);
    s_->data.pending.powerSteps += steps;
}

void Worker::RequestEndpointControl(int node, const EndpointControlValues& values)
{
    Guard guard(s_->lock);
    WorkerRequests& r = s_->data.pending;
    r.endpointNode = node;
    std::copy(values.begin(), values.end(), r.endpointValues);
}

void Worker::RequestMemoryRead(int address)
{
    Guard guard(s_->lock);
    s_->data.pending.memoryAddress = address;
}

} // namespace mnm
