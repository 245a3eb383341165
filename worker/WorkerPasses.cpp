// The worker thread: one pass of the current job at a time. The lock is held
// only to take requests and publish results, never across a node round trip
// and never while posting.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>

#include "protocol/NodeProtocol.h"
#include "protocol/NodeTypedCommands.h"
#include "protocol/NodeTypedQueries.h"
#include "transfer/NodeStaticDataRead.h"
#include "transfer/NodeTransfers.h"
#include "transfer/TransferMessage.h"
#include "wire/WireRecords.h"
#include "worker/WorkerState.h"

namespace mnm {
namespace {

using Guard = std::lock_guard<std::mutex>;
using std::chrono::milliseconds;

constexpr milliseconds kPassPause{50};
constexpr milliseconds kPostRetry{20};
constexpr int kPowerStepSize = 10;
constexpr int kMaxPower = 999;
constexpr int kMinChannel = 1;

// The progress word as the transfers write it: under the worker lock.
class WorkerProgress final : public ProgressSink {
public:
    explicit WorkerProgress(WorkerShared& s) : s_(s) {}
    void Set(std::uint32_t word) override
    {
        Guard guard(s_.lock);
        s_.data.progress = word;
    }

private:
    WorkerShared& s_;
};

void Post(WorkerShared& s, int commandId)
{
    if (commandId == 0 || !s.post) return;
    while (!s.post(commandId) && s.channel.Pause(kPostRetry)) {}
}

void ReadIdentity(WorkerShared& s)
{
    if (!s.options.identityMonitoring) return;
    std::uint32_t number = 0;
    std::uint8_t name[kIdentityNameLength + 1] = {};
    const bool known = NodeQueryU8(s.channel, query::kNodeNumber, 0, 0, number) == 0 &&
                       NodeQueryBytes(s.channel, query::kNetworkName, 0, 0, 1, kIdentityNameLength, name) >= 1;
    if (s.channel.Stopped()) return; // cut short: what is known stays as it was
    Guard guard(s.lock);
    s.data.nodeNumber = known ? static_cast<int>(number) : kUnknownNodeNumber;
    s.data.networkName = known ? reinterpret_cast<const char*>(name) : "";
}

// Runs one send, receive or hardware read, the identity read before it
// included, under the stop source its start created: CancelTransfer
// requests it, and the thread's own stop request reaches it too. Returns
// what `run` returned, and whether a stop was asked for.
template <typename Run>
auto RunOneShot(WorkerShared& s, const std::stop_token& threadStop, Run run)
{
    std::stop_source stop{std::nostopstate};
    {
        Guard guard(s.lock);
        if (!s.transfer.stop_possible()) s.transfer = std::stop_source();
        stop = s.transfer;
    }
    auto result = [&] {
        std::stop_callback follow(threadStop, [stop]() mutable { stop.request_stop(); });
        StopScope scope(s.channel, stop.get_token());
        ReadIdentity(s);
        return run(stop.get_token());
    }();
    Guard guard(s.lock);
    s.transfer = std::stop_source(std::nostopstate);
    return std::pair{std::move(result), stop.stop_requested()};
}

TransferOutcome Outcome(Report report, bool stopAsked)
{
    const bool ok = report.ok();
    const bool powerCycle = AsksForPowerCycle(report);
    return {ok ? RequestStatus::kDone : RequestStatus::kFailed, std::move(report), !ok && stopAsked, powerCycle};
}

void CountPresence(WorkerData& d, bool answered)
{
    d.connected = answered ? 2 : std::max(0, d.connected - 1);
}


void SendPass(WorkerShared& s, const std::stop_token& stop)
{
    NodeConf record;
    SendOptions options{s.options.commitToFlash};
    {
        Guard guard(s.lock);
        record = s.data.recordToSend;
        if (s.data.commit == SendCommit::kNever) options.commit = false;
    }
    WorkerProgress progress(s);
    auto [report, stopAsked] = RunOneShot(s, stop, [&](std::stop_token transfer) {
        return SendToNode(s.channel, record, options, progress, std::move(transfer));
    });
    TransferOutcome outcome = Outcome(std::move(report), stopAsked);
    int target;
    {
        Guard guard(s.lock);
        WorkerData& d = s.data;
        d.send = std::move(outcome);
        d.job = d.previousJob;
        target = d.target[kJobSend];
    }
    s.idle.notify_all();
    Post(s, target);
}

void ReceivePass(WorkerShared& s, const std::stop_token& stop)
{
    NodeConf record{};
    WorkerProgress progress(s);
    auto [report, stopAsked] = RunOneShot(s, stop, [&](std::stop_token transfer) {
        return ReceiveFromNode(s.channel, record, progress, std::move(transfer));
    });
    TransferOutcome outcome = Outcome(std::move(report), stopAsked);
    int target;
    {
        Guard guard(s.lock);
        WorkerData& d = s.data;
        if (outcome.Succeeded()) d.receivedRecord = record;
        d.receive = std::move(outcome);
        d.job = d.previousJob;
        target = d.target[kJobReceive];
    }
    s.idle.notify_all();
    Post(s, target);
}

void MonitorPass(WorkerShared& s)
{
    ReadIdentity(s);
    s.channel.Pause(kPassPause);
    std::uint8_t reply[kReplyBufferSize] = {};
    const int n = NodeQuery(s.channel, query::kMonitorReading, 0, 0, reply);
    std::uint8_t endpoint[3];
    bool matched;
    int target;
    {
        Guard guard(s.lock);
        WorkerData& d = s.data;
        if (!s.channel.Stopped()) CountPresence(d, n >= 0); // a pass cut short says nothing of the node
        std::memcpy(endpoint, d.monitored, sizeof endpoint);
        matched = n >= kMonitorReadingSize && reply[4] == 0 &&
                  std::memcmp(reply + 5, endpoint, sizeof endpoint) == 0;
        if (matched)
            std::memcpy(d.monitorReading, reply, kMonitorReadingSize);
        else
            std::memset(d.monitorReading, 0, kMonitorReadingSize);
        target = d.target[kJobMonitor];
    }
    if (matched) {
        Post(s, target);
        return;
    }
    const std::uint8_t select[5] = {0, endpoint[0], endpoint[1], endpoint[2], 0};
    NodeCommand(s.channel, command::kSelectMonitor, select, sizeof select);
}

// Takes one reply of query 108 into the set being gathered.
void GatherLiveValues(WorkerShared& s)
{
    int next;
    {
        Guard guard(s.lock);
        next = s.data.liveNext;
    }
    std::uint8_t reply[kReplyBufferSize] = {};
    const int n = next >= 0 && next < kLiveValueCount
                      ? NodeQuery(s.channel, query::kLiveValues, static_cast<std::uint8_t>(next), 0, reply)
                      : 0;
    Guard guard(s.lock);
    WorkerData& d = s.data;
    if (n < 0 || n % kLiveGroupSize != 0) {
        d.liveState = LiveValuesState::kNone;
        d.liveNext = 0;
        return;
    }
    if (n > 0) {
        for (int i = 0; i < n; i += kLiveGroupSize) {
            d.liveWorking[reply[i]] = GetU16(reply + i + 1);
            d.liveNext = reply[i] + 1;
        }
        return;
    }
    const bool differs = !std::equal(std::begin(d.liveWorking), std::end(d.liveWorking),
                                     std::begin(d.liveValues));
    std::copy(std::begin(d.liveWorking), std::end(d.liveWorking), d.liveValues);
    if (d.liveState == LiveValuesState::kNone || differs) d.liveState = LiveValuesState::kNew;
    std::fill(std::begin(d.liveWorking), std::end(d.liveWorking), kNoLiveValue);
    d.liveNext = 0;
}

void ReadMemory(WorkerShared& s, int address)
{
    std::uint8_t reply[kReplyBufferSize] = {};
    const int n = NodeQuery(s.channel, query::kMemory, static_cast<std::uint8_t>(address / 4096 % 256),
                            static_cast<std::uint8_t>(address / 16 % 256), reply);
    Guard guard(s.lock);
    WorkerData& d = s.data;
    std::memcpy(d.memory.bytes.data(), reply, kMemoryReplySize);
    d.memory.length = n;
    d.memory.baseAddress = address / 16 * 16;
    d.memoryReady = true;
}

void ControlEndpoint(NodeChannel& channel, const WorkerRequests& r)
{
    std::uint8_t bytes[4 + 2 * kEndpointControlValues] = {0, static_cast<std::uint8_t>(r.endpointNode), 0, 0};
    for (int i = 0; i < kEndpointControlValues; ++i) PutU16(bytes + 4 + 2 * i, r.endpointValues[i]);
    if (r.endpointNode != 0)
        NodeCommand(channel, command::kEndpointControlNode, bytes, sizeof bytes);
    else
        NodeCommand(channel, command::kEndpointControl, bytes + 2, sizeof bytes - 2);
}

void StepChannel(NodeChannel& channel, int steps)
{
    std::uint32_t present = 0;
    std::uint32_t highest = 0;
    if (NodeQueryU16(channel, query::kPresentChannel, 0, 0, present) != 0) return;
    if (NodeQueryU8(channel, query::kHighestChannel, 0, 0, highest) != 0) return;
    const int wanted = static_cast<int>(present) + steps;
    NodeCommandU16(channel, command::kSetChannel, std::max(kMinChannel, std::min(wanted, static_cast<int>(highest))));
}

// The first step only reaches the nearest multiple of ten, so that stepping
// from an odd setting lands on the grid the operator expects.
void StepPower(NodeChannel& channel, int steps)
{
    std::uint32_t present = 0;
    if (NodeQueryU16(channel, query::kPresentPower, 0, 0, present) != 0) return;
    int power = static_cast<int>(present);
    if (power % kPowerStepSize != 0) {
        if (steps < 0) {
            power = power / kPowerStepSize * kPowerStepSize;
            ++steps;
        } else {
            power = (power / kPowerStepSize + 1) * kPowerStepSize;
            --steps;
        }
    }
    NodeCommandU16(channel, command::kSetPower, std::clamp(power + kPowerStepSize * steps, 0, kMaxPower));
}

void LivePass(WorkerShared& s)
{
    ReadIdentity(s);
    s.channel.Pause(kPassPause);
    WorkerRequests r;
    {
        Guard guard(s.lock);
        WorkerRequests& p = s.data.pending;
        r = p;
        p.engineeringCount = 0;
        p.onOff = kOnOffNone;
        p.toggle = false;
        p.channelSteps = 0;
        p.powerSteps = 0;
        p.memoryAddress = -1;
        p.endpointNode = 0;
        p.endpointValues[0] = 0;
    }
    GatherLiveValues(s);

    std::uint8_t block[kReplyBufferSize] = {};
    const int n = NodeQuery(s.channel, query::kStatusBlock, 0, 0, block);
    std::uint8_t mode;
    {
        Guard guard(s.lock);
        if (n >= 0) std::memcpy(s.data.statusBlock, block, kStatusBlockSize);
        mode = s.data.statusBlock[5];
    }

    if (r.memoryAddress >= 0) ReadMemory(s, r.memoryAddress);
    if (r.engineeringCount > 0) NodeCommand(s.channel, command::kEngineering, r.engineering, r.engineeringCount);
    if (r.onOff != kOnOffNone) NodeCommandU32(s.channel, command::kOnOff, r.onOff != 0 ? 1 : 0);
    if (r.endpointValues[0] != 0) ControlEndpoint(s.channel, r);
    if (r.toggle) {
        const std::uint8_t x = mode == kModeCarrierReceive ? kToggleWhenReceiving : kToggleOtherwise;
        const std::uint8_t toggle[4] = {0, 0, 0, x};
        NodeCommand(s.channel, command::kEndpointControl, toggle, sizeof toggle);
    }
    if (r.channelSteps != 0) StepChannel(s.channel, r.channelSteps);
    if (r.powerSteps != 0) StepPower(s.channel, r.powerSteps);

    int target;
    {
        Guard guard(s.lock);
        if (!s.channel.Stopped()) CountPresence(s.data, n >= 0); // a pass cut short says nothing of the node
        target = s.data.target[kJobLive];
    }
    Post(s, target);
}

void NodeDataPass(WorkerShared& s, const std::stop_token& stop)
{
    NodeStaticData read;
    ClearNodeStaticData(read);
    const bool ok = RunOneShot(s, stop, [&](const std::stop_token&) { return ReadNodeStaticData(s.channel, read) == 0; })
                        .first;
    int target;
    {
        Guard guard(s.lock);
        WorkerData& d = s.data;
        if (ok) d.nodeData = read;
        d.nodeDataStatus = ok ? RequestStatus::kDone : RequestStatus::kFailed;
        d.job = d.previousJob;
        d.connected = ok ? 2 : 0;
        target = d.target[kJobNodeData];
    }
    s.idle.notify_all();
    if (ok) Post(s, target);
}

// A live or monitor pass runs under a stop source of its own that
// CancelTransfer requests as well: a pass waiting on a silent node must not
// hold up a transfer that was asked for and then stopped.
template <typename Pass> void RunCancellablePass(WorkerShared& s, const std::stop_token& threadStop, Pass pass)
{
    std::stop_source stop;
    {
        Guard guard(s.lock);
        s.pass = stop;
    }
    {
        std::stop_callback follow(threadStop, [stop]() mutable { stop.request_stop(); });
        StopScope scope(s.channel, stop.get_token());
        pass(s);
    }
    Guard guard(s.lock);
    s.pass = std::stop_source(std::nostopstate);
}

} // namespace

void WorkerLoop(WorkerShared& s, std::stop_token stop)
{
    StopScope scope(s.channel, stop);
    while (!stop.stop_requested()) {
        int job;
        {
            Guard guard(s.lock);
            job = s.data.job;
        }
        switch (job) {
        case kJobSend: SendPass(s, stop); break;
        case kJobReceive: ReceivePass(s, stop); break;
        case kJobMonitor: RunCancellablePass(s, stop, MonitorPass); break;
        case kJobNodeData: NodeDataPass(s, stop); break;
        default: RunCancellablePass(s, stop, LivePass); break;
        }
    }
}

} // namespace mnm
