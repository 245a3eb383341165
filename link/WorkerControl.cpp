// The user-interface side of the worker: starting jobs, reading results and
// leaving requests, each under the worker lock and without any I/O.
#include <algorithm>
#include <cstring>

#include "link/WorkerState.h"
#include "settings/Settings.h"

namespace mnm {
namespace {

using Guard = std::lock_guard<std::mutex>;

bool Busy(const WorkerData& d) { return IsOneShotJob(d.job); }

// Remembers the running job and switches to a one-shot one.
void EnterOneShot(WorkerData& d, int job, int commandId)
{
    d.previousJob = d.job;
    d.job = job;
    d.target[job] = commandId;
}

// Receive and node data: refused while a result waits to be taken.
int StartReading(int job, int WorkerData::*status, int commandId);

} // namespace

WorkerShared& Shared()
{
    static WorkerShared shared;
    return shared;
}

void ResetLiveGathering(WorkerData& d)
{
    d.liveState = 0;
    d.liveNext = 0;
    std::fill(std::begin(d.liveWorking), std::end(d.liveWorking), kNoLiveValue);
}

namespace {
int StartReading(int job, int WorkerData::*status, int commandId)
{
    WorkerShared& s = Shared();
    Guard guard(s.lock);
    WorkerData& d = s.data;
    if (Busy(d)) return kErrWorkerBusy;
    if (d.*status == kRequestDone || d.*status == kRequestRunning) return kErrResultWaiting;
    d.*status = kRequestRunning;
    EnterOneShot(d, job, commandId);
    return 0;
}
} // namespace

bool WorkerStart(PostCommandId post)
{
    WorkerShared& s = Shared();
    WorkerStop();
    {
        Guard guard(s.lock);
        s.data = WorkerData{};
        std::fill(std::begin(s.data.liveValues), std::end(s.data.liveValues), kNoLiveValue);
        ResetLiveGathering(s.data);
        s.data.identityMonitoring = ReadSettingNumber(kSettingMonitorConnectedNodeIdentity) != 0;
        s.post = std::move(post);
    }
    s.thread = std::jthread(WorkerLoop);
    return s.thread.joinable();
}

void WorkerStop()
{
    WorkerShared& s = Shared();
    if (!s.thread.joinable()) return;
    s.thread.request_stop();
    s.thread.join();
}

int WorkerStartSend(const NodeConf& record, int commandId)
{
    WorkerShared& s = Shared();
    Guard guard(s.lock);
    WorkerData& d = s.data;
    if (Busy(d)) return kErrWorkerBusy;
    if (d.sendStatus == kRequestRunning) return kErrResultWaiting;
    d.recordToSend = record;
    d.sendStatus = kRequestRunning;
    EnterOneShot(d, kJobSend, commandId);
    return 0;
}

int WorkerStartReceive(int commandId) { return StartReading(kJobReceive, &WorkerData::receiveStatus, commandId); }

int WorkerStartMonitor(int commandId)
{
    WorkerShared& s = Shared();
    Guard guard(s.lock);
    WorkerData& d = s.data;
    d.target[kJobMonitor] = commandId;
    if (Busy(d)) {
        // Monitoring starts when the running one-shot job ends.
        d.previousJob = kJobMonitor;
        return kErrWorkerBusy;
    }
    d.job = kJobMonitor;
    return 0;
}

int WorkerStartLive(int commandId)
{
    WorkerShared& s = Shared();
    Guard guard(s.lock);
    WorkerData& d = s.data;
    if (Busy(d)) return kErrWorkerBusy;
    d.job = kJobLive;
    d.target[kJobLive] = commandId;
    ResetLiveGathering(d);
    return 0;
}

int WorkerStartNodeDataRead(int commandId)
{
    return StartReading(kJobNodeData, &WorkerData::nodeDataStatus, commandId);
}

int WorkerCurrentJob()
{
    Guard guard(Shared().lock);
    return Shared().data.job;
}

int WorkerIsBusy()
{
    Guard guard(Shared().lock);
    return Busy(Shared().data) ? 1 : 0;
}

int WorkerIsNodeConnected()
{
    Guard guard(Shared().lock);
    return Shared().data.connected != 0 ? 1 : 0;
}

int WorkerSendStatus()
{
    Guard guard(Shared().lock);
    return Shared().data.sendStatus;
}

int WorkerSendResult()
{
    Guard guard(Shared().lock);
    return Shared().data.sendResult;
}

void WorkerMessage(char* buffer, int size)
{
    if (size < 1) return;
    Guard guard(Shared().lock);
    const std::string& m = Shared().data.message;
    const std::size_t n = std::min({m.size(), static_cast<std::size_t>(size - 1),
                                    static_cast<std::size_t>(kWorkerMessageLength)});
    std::memcpy(buffer, m.data(), n);
    buffer[n] = '\0';
}

int WorkerTakeReceivedRecord(NodeConf& record)
{
    Guard guard(Shared().lock);
    WorkerData& d = Shared().data;
    if (d.receiveStatus != kRequestDone) return d.receiveStatus;
    record = d.receivedRecord;
    d.receiveStatus = kRequestNone;
    return 1;
}

int WorkerTakeNodeData(NodeStaticData& data)
{
    Guard guard(Shared().lock);
    WorkerData& d = Shared().data;
    if (d.nodeDataStatus != kRequestDone) return d.nodeDataStatus;
    data = d.nodeData;
    d.nodeDataStatus = kRequestNone;
    return 1;
}

std::uint32_t WorkerProgressWord()
{
    Guard guard(Shared().lock);
    return Shared().data.progress;
}

int WorkerNodeIdentity(char* name, int size)
{
    if (name == nullptr || size < 1) return -1;
    name[0] = '\0';
    if (size <= kIdentityNameLength) return -1;
    Guard guard(Shared().lock);
    const WorkerData& d = Shared().data;
    if (!d.identityMonitoring) return -1;
    const std::size_t n = std::min(d.networkName.size(), static_cast<std::size_t>(kIdentityNameLength));
    std::memcpy(name, d.networkName.data(), n);
    name[n] = '\0';
    return d.nodeNumber;
}

int WorkerStatusBlock(std::uint8_t* block)
{
    Guard guard(Shared().lock);
    const WorkerData& d = Shared().data;
    if (d.job == kJobLive && d.connected != 0) {
        std::memcpy(block, d.statusBlock, kStatusBlockSize);
        return 0;
    }
    std::memset(block, 0, kStatusBlockSize);
    return -1;
}

int WorkerMonitorReading(std::uint8_t* reading)
{
    Guard guard(Shared().lock);
    const WorkerData& d = Shared().data;
    if (d.job != kJobMonitor) return -2;
    std::memcpy(reading, d.monitorReading, kMonitorReadingSize);
    return 0;
}

int WorkerLiveValuesState()
{
    Guard guard(Shared().lock);
    return Shared().data.liveState;
}

void WorkerTakeLiveValues(std::uint16_t* values)
{
    Guard guard(Shared().lock);
    WorkerData& d = Shared().data;
    std::copy(std::begin(d.liveValues), std::end(d.liveValues), values);
    if (d.liveState == 2) d.liveState = 1;
}

int WorkerTakeMemoryReply(std::uint8_t* reply, int& baseAddress)
{
    Guard guard(Shared().lock);
    WorkerData& d = Shared().data;
    const int length = d.memoryLength;
    if (length >= 0) {
        std::memcpy(reply, d.memoryReply, kMemoryReplySize);
        baseAddress = d.memoryBase;
    }
    d.memoryLength = -1;
    return length;
}

void WorkerSelectMonitoredEndpoint(char kind, std::uint8_t card, std::uint8_t channel)
{
    Guard guard(Shared().lock);
    std::uint8_t* m = Shared().data.monitored;
    m[0] = static_cast<std::uint8_t>(kind);
    m[1] = card;
    m[2] = channel;
}

int WorkerRequestEngineeringCommand(const std::uint8_t* bytes, int count)
{
    if (count > kMaxEngineeringBytes) return -1;
    if (count < 1) return -2;
    Guard guard(Shared().lock);
    WorkerRequests& r = Shared().data.pending;
    if (r.engineeringCount != 0) return -3;
    std::memcpy(r.engineering, bytes, static_cast<std::size_t>(count));
    r.engineeringCount = count;
    return 0;
}

void WorkerRequestOnOff(std::uint8_t value)
{
    Guard guard(Shared().lock);
    Shared().data.pending.onOff = value;
}

void WorkerRequestToggle()
{
    Guard guard(Shared().lock);
    bool& toggle = Shared().data.pending.toggle;
    toggle = !toggle;
}

void WorkerRequestChannelStep(int steps)
{
    Guard guard(Shared().lock);
    Shared().data.pending.channelSteps += steps;
}

void WorkerRequestPowerStep(int steps)
{
    Guard guard(Shared().lock);
    Shared().data.pending.powerSteps += steps;
}

void WorkerRequestEndpointControl(int node, const std::uint16_t* values)
{
    Guard guard(Shared().lock);
    WorkerRequests& r = Shared().data.pending;
    r.endpointNode = node;
    std::copy(values, values + kEndpointControlValues, r.endpointValues);
}

void WorkerRequestMemoryRead(int address)
{
    Guard guard(Shared().lock);
    Shared().data.pending.memoryAddress = address;
}

} // namespace mnm
