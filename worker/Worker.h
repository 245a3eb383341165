// The communication worker: the one thread that talks to the node on one
// line. The user-interface thread starts jobs and leaves requests here; the
// worker tells it through the "post command id" callback that something can
// be collected. Every call below takes the worker lock once and none waits
// for the node.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "nodeconf/NodeConf.h"
#include "nodeconf/NodeStaticData.h"
#include "protocol/NodeChannel.h"
#include "transfer/ProgressWord.h"
#include "wire/NodeCodes.h"
#include "worker/WorkerJobs.h"
#include "worker/WorkerResults.h"

namespace mnm {

class FrameLine;
struct WorkerShared;

inline constexpr int kMaxEngineeringBytes = 17;
inline constexpr int kMemoryReplySize = 100;
inline constexpr int kEndpointControlValues = 6;
inline constexpr std::uint8_t kOnOffNone = 255;
inline constexpr int kUnknownNodeNumber = -1;

enum class StartResult {
    kStarted,
    kBusy,          // a send, receive or hardware read runs
    kResultWaiting, // the last one's result has not been taken yet
};

// Whether a send commits to flash: as the options say, or not this once (a
// tool's one-off run must not change the operator's setting).
enum class SendCommit { kAsSetting, kNever };

// What the worker takes from the settings; whoever starts it reads them.
struct WorkerOptions {
    ChannelBudgets budgets{};        // "NIPQueryTimeout(ms)", "NCPWriteFlashTimeout(ms)"
    bool identityMonitoring = false; // "MonitorConnectedNodeIdentity"
    bool commitToFlash = false;      // "CommitToFlashOnDownload"
};

// The worker's state at one moment, read under one lock for the indicator.
struct WorkerSnapshot {
    int job = kJobLive;
    bool busy = false; // a send, receive or hardware read runs
    bool connected = false;
    std::uint32_t progressWord = kProgressNothing;
    bool flashWriting = false; // a flash command waits for the node to finish writing
    // Unknown while identity monitoring is off or the node did not say.
    int nodeNumber = kUnknownNodeNumber;
    std::string networkName;
};

struct NodeDataRead {
    RequestStatus status = RequestStatus::kNone;
    std::optional<NodeStaticData> data;
};

using StatusBlockBytes = std::array<std::uint8_t, kStatusBlockSize>;
using MonitorReadingBytes = std::array<std::uint8_t, kMonitorReadingSize>;
using LiveValues = std::array<std::uint16_t, kLiveValueCount>;
using EndpointControlValues = std::array<std::uint16_t, kEndpointControlValues>;

// Whether a complete set of live values was gathered and taken.
enum class LiveValuesState { kNone, kTaken, kNew };

struct MemoryReply {
    int length = 0; // the reply's length, or the query's negative result
    int baseAddress = 0;
    std::array<std::uint8_t, kMemoryReplySize> bytes{};
};

enum class EngineeringRequest { kTaken, kTooLong, kEmpty, kOnePending };

// Called on the worker thread, never under the worker lock; true when the
// command id was accepted (the worker retries every 20 ms until it is).
using PostCommandId = std::function<bool(int commandId)>;

class Worker {
public:
    explicit Worker(FrameLine& line);
    ~Worker(); // stops the thread
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    // Sets the initial state and starts the thread in the live job; true when
    // the thread runs. A command id of 0 in the start calls means no one is told.
    bool Start(PostCommandId post, const WorkerOptions& options);
    // Ends the thread, stopping a running transfer first (as CancelTransfer);
    // returns within a fraction of a second even in the middle of a send.
    void Stop();
    // Asks a running send, receive or hardware read to stop. It ends soon
    // after, restores the node's task scheduler if it had raised it, and
    // reports failure with "Transfer cancelled" through the usual post.
    // Nothing else changes.
    void CancelTransfer();
    // Waits at most `limit` for a running send, receive or hardware read to
    // end, without running anyone's event loop; true when none runs.
    bool WaitUntilIdle(std::chrono::milliseconds limit);

    StartResult StartSend(const NodeConf& record, int commandId, SendCommit commit = SendCommit::kAsSetting);
    StartResult StartReceive(int commandId);
    // Monitor and live are refused while a one-shot job runs, but remembered:
    // the job starts when it ends. A change of job forgets the requests left.
    StartResult StartMonitor(int commandId);
    StartResult StartLive(int commandId);
    StartResult StartNodeDataRead(int commandId);

    WorkerSnapshot Snapshot();
    bool IsBusy();
    bool IsNodeConnected();
    TransferOutcome SendOutcome();
    // How the last receive ended, without taking its record.
    TransferOutcome ReceiveOutcome();
    // The received record is handed over once; the status then becomes kNone.
    ReceivedRecord TakeReceived();
    NodeDataRead TakeNodeData();

    // In the live job with a node connected.
    std::optional<StatusBlockBytes> StatusBlock();
    // In the monitor job (zeros until a reading of the chosen endpoint came).
    std::optional<MonitorReadingBytes> MonitorReading();
    LiveValuesState LiveValuesReady();
    LiveValues TakeLiveValues();
    // The last memory read's reply, once.
    std::optional<MemoryReply> TakeMemoryReply();

    void SelectMonitoredEndpoint(char kind, std::uint8_t card, std::uint8_t channel);
    EngineeringRequest RequestEngineeringCommand(std::span<const std::uint8_t> bytes);
    void RequestOnOff(std::uint8_t value);
    void RequestToggle();
    void RequestChannelStep(int steps);
    void RequestPowerStep(int steps);
    // A node of 0 means this node; a first value of 0 means no request.
    void RequestEndpointControl(int node, const EndpointControlValues& values);
    void RequestMemoryRead(int address);

    // The sequence number the next command carries (for tests that watch the line).
    void SetNextCommandSequence(int number);

private:
    std::unique_ptr<WorkerShared> s_;
};

} // namespace mnm
