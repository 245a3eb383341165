// The user-interface side of the worker: starting jobs, reading results and
// leaving requests, each under the worker lock and without any I/O.
#include <algorithm>
#include <cstring>

#include "worker/WorkerState.h"
#include "link/Link.h"
#include "worker/ChannelSettings.h"
#include "settings/Settings.h"
#include "transfer/TransferMessage.h"

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
int StartReading(WorkerShared& s, int job, int WorkerData::*status, int commandId)
{
    Guard guard(s.lock);
    WorkerData& d = s.data;
    if (Busy(d)) return kErrWorkerBusy;
    if (d.*status == kRequestDone || d.*status == kRequestRunning) return kErrResultWaiting;
    d.*status = kRequestRunning;
    EnterOneShot(d, job, commandId);
    return 0;
}

} // namespace

void ResetLiveGathering(WorkerData& d)
{
    d.liveState = 0;
    d.liveNext = 0;
    std::fill(std::begin(d.liveWorking), std::end(d.liveWorking), kNoLiveValue);
}

Worker::Worker(FrameLine& line) : s_(std::make_unique<WorkerShared>(line, ChannelBudgets{})) {}

Worker::~Worker() { Stop(); }

bool Worker::Start(PostCommandId post)
{
    WorkerShared& s = *s_;
    Stop();
    {
        Guard guard(s.lock);
        s.data = WorkerData{};
        std::fill(std::begin(s.data.liveValues), std::end(s.data.liveValues), kNoLiveValue);
        ResetLiveGathering(s.data);
        s.data.identityMonitoring = ReadSettingNumber(kSettingMonitorConnectedNodeIdentity) != 0;
        s.post = std::move(post);
    }
    // Only the thread uses these once it runs.
    s.commitSetting = ReadSettingNumber(kSettingCommitToFlashOnDownload) != 0;
    s.channel.SetBudgets(BudgetsFromSettings());
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
    std::stop_source transfer{std::nostopstate};
    {
        Guard guard(s_->lock);
        transfer = s_->transfer;
    }
    // Outside the lock: the request wakes the transfer's waits.
    transfer.request_stop();
}

void Worker::SetNextCommandSequence(int number) { s_->channel.SetNextSequence(number); }

bool Worker::FlashWriting() { return s_->channel.FlashWriting(); }

int Worker::StartSend(const NodeConf& record, int commandId, SendCommit commit)
{
    WorkerShared& s = *s_;
    Guard guard(s.lock);
    WorkerData& d = s.data;
    if (Busy(d)) return kErrWorkerBusy;
    if (d.sendStatus == kRequestRunning) return kErrResultWaiting;
    d.recordToSend = record;
    d.commit = commit;
    d.sendStatus = kRequestRunning;
    EnterOneShot(d, kJobSend, commandId);
    return 0;
}

int Worker::StartReceive(int commandId) { return StartReading(*s_, kJobReceive, &WorkerData::receiveStatus, commandId); }

int Worker::StartMonitor(int commandId)
{
    WorkerShared& s = *s_;
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

int Worker::StartLive(int commandId)
{
    WorkerShared& s = *s_;
    Guard guard(s.lock);
    WorkerData& d = s.data;
    if (Busy(d)) return kErrWorkerBusy;
    d.job = kJobLive;
    d.target[kJobLive] = commandId;
    ResetLiveGathering(d);
    return 0;
}

int Worker::StartNodeDataRead(int commandId)
{
    return StartReading(*s_, kJobNodeData, &WorkerData::nodeDataStatus, commandId);
}

int Worker::CurrentJob()
{
    Guard guard((*s_).lock);
    return (*s_).data.job;
}

int Worker::IsBusy()
{
    Guard guard((*s_).lock);
    return Busy((*s_).data) ? 1 : 0;
}

int Worker::IsNodeConnected()
{
    Guard guard((*s_).lock);
    return (*s_).data.connected != 0 ? 1 : 0;
}

int Worker::SendStatus()
{
    Guard guard((*s_).lock);
    return (*s_).data.sendStatus;
}

int Worker::SendResult()
{
    Guard guard((*s_).lock);
    return (*s_).data.sendResult;
}

void Worker::Message(char* buffer, int size)
{
    if (size < 1) return;
    Guard guard((*s_).lock);
    const std::string& m = (*s_).data.message;
    const std::size_t n = std::min({m.size(), static_cast<std::size_t>(size - 1),
                                    static_cast<std::size_t>(kTransferMessageLength)});
    std::memcpy(buffer, m.data(), n);
    buffer[n] = '\0';
}

int Worker::TakeReceivedRecord(NodeConf& record)
{
    Guard guard((*s_).lock);
    WorkerData& d = (*s_).data;
    if (d.receiveStatus != kRequestDone) return d.receiveStatus;
    record = d.receivedRecord;
    d.receiveStatus = kRequestNone;
    return 1;
}

int Worker::TakeNodeData(NodeStaticData& data)
{
    Guard guard((*s_).lock);
    WorkerData& d = (*s_).data;
    if (d.nodeDataStatus != kRequestDone) return d.nodeDataStatus;
    data = d.nodeData;
    d.nodeDataStatus = kRequestNone;
    return 1;
}

std::uint32_t Worker::ProgressWord()
{
    Guard guard((*s_).lock);
    return (*s_).data.progress;
}

int Worker::NodeIdentity(char* name, int size)
{
    if (name == nullptr || size < 1) return -1;
    name[0] = '\0';
    if (size <= kIdentityNameLength) return -1;
    Guard guard((*s_).lock);
    const WorkerData& d = (*s_).data;
    if (!d.identityMonitoring) return -1;
    const std::size_t n = std::min(d.networkName.size(), static_cast<std::size_t>(kIdentityNameLength));
    std::memcpy(name, d.networkName.data(), n);
    name[n] = '\0';
    return d.nodeNumber;
}

int Worker::StatusBlock(std::uint8_t* block)
{
    Guard guard((*s_).lock);
    const WorkerData& d = (*s_).data;
    if (d.job == kJobLive && d.connected != 0) {
        std::memcpy(block, d.statusBlock, kStatusBlockSize);
        return 0;
    }
    std::memset(block, 0, kStatusBlockSize);
    return -1;
}

int Worker::MonitorReading(std::uint8_t* reading)
{
    Guard guard((*s_).lock);
    const WorkerData& d = (*s_).data;
    if (d.job != kJobMonitor) return -2;
    std::memcpy(reading, d.monitorReading, kMonitorReadingSize);
    return 0;
}

int Worker::LiveValuesState()
{
    Guard guard((*s_).lock);
    return (*s_).data.liveState;
}

void Worker::TakeLiveValues(std::uint16_t* values)
{
    Guard guard((*s_).lock);
    WorkerData& d = (*s_).data;
    std::copy(std::begin(d.liveValues), std::end(d.liveValues), values);
    if (d.liveState == 2) d.liveState = 1;
}

int Worker::TakeMemoryReply(std::uint8_t* reply, int& baseAddress)
{
    Guard guard((*s_).lock);
    WorkerData& d = (*s_).data;
    const int length = d.memoryLength;
    if (length >= 0) {
        std::memcpy(reply, d.memoryReply, kMemoryReplySize);
        baseAddress = d.memoryBase;
    }
    d.memoryLength = -1;
    return length;
}

void Worker::SelectMonitoredEndpoint(char kind, std::uint8_t card, std::uint8_t channel)
{
    Guard guard((*s_).lock);
    std::uint8_t* m = (*s_).data.monitored;
    m[0] = static_cast<std::uint8_t>(kind);
    m[1] = card;
    m[2] = channel;
}

int Worker::RequestEngineeringCommand(const std::uint8_t* bytes, int count)
{
    if (count > kMaxEngineeringBytes) return -1;
    if (count < 1) return -2;
    Guard guard((*s_).lock);
    WorkerRequests& r = (*s_).data.pending;
    if (r.engineeringCount != 0) return -3;
    std::memcpy(r.engineering, bytes, static_cast<std::size_t>(count));
    r.engineeringCount = count;
    return 0;
}

void Worker::RequestOnOff(std::uint8_t value)
{
    Guard guard((*s_).lock);
    (*s_).data.pending.onOff = value;
}

void Worker::RequestToggle()
{
    Guard guard((*s_).lock);
    bool& toggle = (*s_).data.pending.toggle;
    toggle = !toggle;
}

void Worker::RequestChannelStep(int steps)
{
    Guard guard((*s_).lock);
    (*s_).data.pending.channelSteps += steps;
}

void Worker::RequestPowerStep(int steps)
{
    Guard guard((*s_).lock);
    (*s_).data.pending.powerSteps += steps;
}

void Worker::RequestEndpointControl(int node, const std::uint16_t* values)
{
    Guard guard((*s_).lock);
    WorkerRequests& r = (*s_).data.pending;
    r.endpointNode = node;
    std::copy(values, values + kEndpointControlValues, r.endpointValues);
}

void Worker::RequestMemoryRead(int address)
{
    Guard guard((*s_).lock);
    (*s_).data.pending.memoryAddress = address;
}

// The program-wide facade.

Worker& ProgramWorker()
{
    // Never destroyed, like the link it talks through: a post may still be
    // on its way while statics are torn down at exit.
    static Worker* const worker = new Worker(ProgramLink());
    return *worker;
}

bool WorkerStart(PostCommandId post) { return ProgramWorker().Start(std::move(post)); }
void WorkerStop() { ProgramWorker().Stop(); }
void WorkerCancelTransfer() { ProgramWorker().CancelTransfer(); }
int WorkerStartSend(const NodeConf& record, int commandId, SendCommit commit)
{
    return ProgramWorker().StartSend(record, commandId, commit);
}
int WorkerStartReceive(int commandId) { return ProgramWorker().StartReceive(commandId); }
int WorkerStartMonitor(int commandId) { return ProgramWorker().StartMonitor(commandId); }
int WorkerStartLive(int commandId) { return ProgramWorker().StartLive(commandId); }
int WorkerStartNodeDataRead(int commandId) { return ProgramWorker().StartNodeDataRead(commandId); }
int WorkerCurrentJob() { return ProgramWorker().CurrentJob(); }
int WorkerIsBusy() { return ProgramWorker().IsBusy(); }
int WorkerIsNodeConnected() { return ProgramWorker().IsNodeConnected(); }
int WorkerSendStatus() { return ProgramWorker().SendStatus(); }
int WorkerSendResult() { return ProgramWorker().SendResult(); }
void WorkerMessage(char* buffer, int size) { ProgramWorker().Message(buffer, size); }
int WorkerTakeReceivedRecord(NodeConf& record) { return ProgramWorker().TakeReceivedRecord(record); }
int WorkerTakeNodeData(NodeStaticData& data) { return ProgramWorker().TakeNodeData(data); }
std::uint32_t WorkerProgressWord() { return ProgramWorker().ProgressWord(); }
bool NodeFlashWriting() { return ProgramWorker().FlashWriting(); }
int WorkerNodeIdentity(char* name, int size) { return ProgramWorker().NodeIdentity(name, size); }
int WorkerStatusBlock(std::uint8_t* block) { return ProgramWorker().StatusBlock(block); }
int WorkerMonitorReading(std::uint8_t* reading) { return ProgramWorker().MonitorReading(reading); }
int WorkerLiveValuesState() { return ProgramWorker().LiveValuesState(); }
void WorkerTakeLiveValues(std::uint16_t* values) { ProgramWorker().TakeLiveValues(values); }
int WorkerTakeMemoryReply(std::uint8_t* reply, int& baseAddress)
{
    return ProgramWorker().TakeMemoryReply(reply, baseAddress);
}
void WorkerSelectMonitoredEndpoint(char kind, std::uint8_t card, std::uint8_t channel)
{
    ProgramWorker().SelectMonitoredEndpoint(kind, card, channel);
}
int WorkerRequestEngineeringCommand(const std::uint8_t* bytes, int count)
{
    return ProgramWorker().RequestEngineeringCommand(bytes, count);
}
void WorkerRequestOnOff(std::uint8_t value) { ProgramWorker().RequestOnOff(value); }
void WorkerRequestToggle() { ProgramWorker().RequestToggle(); }
void WorkerRequestChannelStep(int steps) { ProgramWorker().RequestChannelStep(steps); }
void WorkerRequestPowerStep(int steps) { ProgramWorker().RequestPowerStep(steps); }
void WorkerRequestEndpointControl(int node, const std::uint16_t* values)
{
    ProgramWorker().RequestEndpointControl(node, values);
}
void WorkerRequestMemoryRead(int address) { ProgramWorker().RequestMemoryRead(address); }

} // namespace mnm
