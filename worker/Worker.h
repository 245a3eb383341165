// The communication worker: the one thread that talks to the attached node.
// The user-interface thread starts jobs and leaves requests here; the worker
// tells it through the application's "post command id" callback that
// something can be collected. Every call below takes the worker lock and
// none waits for the node.
//
// A failed send or receive always has its text in Message(), whatever its
// code: the caller shows that text and need not look at the code.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "nodeconf/NodeConf.h"
#include "nodeconf/NodeStaticData.h"
#include "transfer/ProgressWord.h"

namespace mnm {

class FrameLine;
struct WorkerShared;

inline constexpr int kJobSend = 1;
inline constexpr int kJobReceive = 2;
inline constexpr int kJobMonitor = 3;
inline constexpr int kJobLive = 4;
inline constexpr int kJobNodeData = 5;

// Send, receive and node data status.
inline constexpr int kRequestNone = -1;
inline constexpr int kRequestDone = 1;
inline constexpr int kRequestFailed = 2;
inline constexpr int kRequestRunning = 3;

// Start results.
inline constexpr int kErrWorkerBusy = -2;
inline constexpr int kErrResultWaiting = -3;

inline constexpr int kMaxEngineeringBytes = 17;
inline constexpr int kMemoryReplySize = 100;
inline constexpr int kIdentityNameLength = 5;
inline constexpr std::uint8_t kOnOffNone = 255;

// Whether a send commits to flash: as "CommitToFlashOnDownload" says, or not
// this once (a tool's one-off run must not change the operator's setting).
enum class SendCommit { kAsSetting, kNever };

// Called on the worker thread, never under the worker lock; true when the
// command id was accepted (the worker retries every 20 ms until it is).
using PostCommandId = std::function<bool(int commandId)>;

class Worker {
public:
    explicit Worker(FrameLine& line);
    ~Worker(); // stops the thread
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    // Sets the initial state, reads "MonitorConnectedNodeIdentity" and the
    // protocol's time-outs, and starts the thread in the live job; true when
    // the thread runs. A command id of 0 in the start calls means no one is told.
    bool Start(PostCommandId post);
    // Ends the thread, stopping a running transfer first (as CancelTransfer);
    // returns within a fraction of a second even in the middle of a send.
    void Stop();
    // Asks a running send or receive to stop. It ends soon after, restores
    // the node's task scheduler if it had raised it, and reports failure with
    // "Transfer cancelled" through the usual post. Nothing else changes.
    void CancelTransfer();

    int StartSend(const NodeConf& record, int commandId, SendCommit commit = SendCommit::kAsSetting);
    int StartReceive(int commandId);
    int StartMonitor(int commandId);
    int StartLive(int commandId);
    int StartNodeDataRead(int commandId);

    int CurrentJob();
    int IsBusy();
    int IsNodeConnected();
    int SendStatus();
    int SendResult();
    // The last send or receive failure's text, cut to size - 1 characters, NUL-terminated.
    void Message(char* buffer, int size);
    // 1 and the record when a received one waits; otherwise the receive status.
    int TakeReceivedRecord(NodeConf& record);
    int TakeNodeData(NodeStaticData& data);
    std::uint32_t ProgressWord();
    // True while a flash command waits for the node to finish writing.
    bool FlashWriting();
    // The node number, and its network name in `name`; -1 and empty when unknown,
    // when identity monitoring is off, or when `name` cannot hold 5 characters.
    int NodeIdentity(char* name, int size);
    // 0 and the 64-byte status block in the live job with a node connected;
    // otherwise zeros and -1.
    int StatusBlock(std::uint8_t* block);
    // 0 and the 16-byte reading in the monitor job, otherwise -2.
    int MonitorReading(std::uint8_t* reading);
    // 0 no complete set yet, 2 a new set not taken, 1 the taken set is current.
    int LiveValuesState();
    void TakeLiveValues(std::uint16_t* values);
    // The stored length (-1 none) and, when not negative, the 100 bytes and the
    // block's base address; the stored length then becomes -1.
    int TakeMemoryReply(std::uint8_t* reply, int& baseAddress);

    void SelectMonitoredEndpoint(char kind, std::uint8_t card, std::uint8_t channel);
    int RequestEngineeringCommand(const std::uint8_t* bytes, int count);
    void RequestOnOff(std::uint8_t value);
    void RequestToggle();
    void RequestChannelStep(int steps);
    void RequestPowerStep(int steps);
    // A node of 0 means this node; a first value of 0 means no request.
    void RequestEndpointControl(int node, const std::uint16_t* values);
    void RequestMemoryRead(int address);

    // The sequence number the next command carries (for tests that watch the line).
    void SetNextCommandSequence(int number);

private:
    std::unique_ptr<WorkerShared> s_;
};

// The program's one worker, on the program's link (LinkInitialise first).
// The windows use these; each calls the same operation of ProgramWorker().
Worker& ProgramWorker();
bool WorkerStart(PostCommandId post);
void WorkerStop();
void WorkerCancelTransfer();
int WorkerStartSend(const NodeConf& record, int commandId, SendCommit commit = SendCommit::kAsSetting);
int WorkerStartReceive(int commandId);
int WorkerStartMonitor(int commandId);
int WorkerStartLive(int commandId);
int WorkerStartNodeDataRead(int commandId);
int WorkerCurrentJob();
int WorkerIsBusy();
int WorkerIsNodeConnected();
int WorkerSendStatus();
int WorkerSendResult();
void WorkerMessage(char* buffer, int size);
int WorkerTakeReceivedRecord(NodeConf& record);
int WorkerTakeNodeData(NodeStaticData& data);
std::uint32_t WorkerProgressWord();
bool NodeFlashWriting();
int WorkerNodeIdentity(char* name, int size);
int WorkerStatusBlock(std::uint8_t* block);
int WorkerMonitorReading(std::uint8_t* reading);
int WorkerLiveValuesState();
void WorkerTakeLiveValues(std::uint16_t* values);
int WorkerTakeMemoryReply(std::uint8_t* reply, int& baseAddress);
void WorkerSelectMonitoredEndpoint(char kind, std::uint8_t card, std::uint8_t channel);
int WorkerRequestEngineeringCommand(const std::uint8_t* bytes, int count);
void WorkerRequestOnOff(std::uint8_t value);
void WorkerRequestToggle();
void WorkerRequestChannelStep(int steps);
void WorkerRequestPowerStep(int steps);
void WorkerRequestEndpointControl(int node, const std::uint16_t* values);
void WorkerRequestMemoryRead(int address);

} // namespace mnm
