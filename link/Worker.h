// The communication worker: the one thread that talks to the attached node.
// The user-interface thread starts jobs and leaves requests here; the worker
// tells it through the application's "post command id" callback that
// something can be collected. Every function below takes the worker lock.
#pragma once

#include <cstdint>
#include <functional>

#include "nodeconf/NodeConf.h"
#include "nodeconf/NodeStaticData.h"

namespace mnm {

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

inline constexpr int kWorkerMessageLength = 512;
inline constexpr int kMaxEngineeringBytes = 17;
inline constexpr int kMemoryReplySize = 100;
inline constexpr int kIdentityNameLength = 5;
inline constexpr std::uint8_t kOnOffNone = 255;

// Progress word: kind in the upper 16 bits, value in the lower.
inline constexpr std::uint32_t kProgressNothing = 0xFFFFFFFF;
inline constexpr std::uint32_t kProgressIdle = 0xF0000000;
inline constexpr std::uint32_t kProgressReceiving = 0xF011;
inline constexpr std::uint32_t kProgressSending = 0xF012;
inline constexpr std::uint32_t kProgressCommitting = 0xF013;
inline constexpr std::uint32_t kProgressWiping = 0xF014;
inline constexpr std::uint32_t kProgressScheduler = 0xF015;
inline constexpr std::uint32_t ProgressWord(std::uint32_t kind, std::uint32_t value)
{
    return kind << 16 | (value & 0xFFFF);
}

// Called on the worker thread, never under the worker lock; true when the
// command id was accepted (the worker retries every 20 ms until it is).
using PostCommandId = std::function<bool(int commandId)>;

// Sets the initial state, reads "MonitorConnectedNodeIdentity" and starts the
// thread in the live job; true when the thread runs. Call after
// LinkInitialise. A command id of 0 in the start functions below means no
// one is told.
bool WorkerStart(PostCommandId post);
// Ends the thread (at exit, and between tests).
void WorkerStop();

int WorkerStartSend(const NodeConf& record, int commandId);
int WorkerStartReceive(int commandId);
int WorkerStartMonitor(int commandId);
int WorkerStartLive(int commandId);
int WorkerStartNodeDataRead(int commandId);

int WorkerCurrentJob();
int WorkerIsBusy();
int WorkerIsNodeConnected();
int WorkerSendStatus();
int WorkerSendResult();
// The last send or receive message, cut to size - 1 characters, NUL-terminated.
void WorkerMessage(char* buffer, int size);
// 1 and the record when a received one waits; otherwise the receive status.
int WorkerTakeReceivedRecord(NodeConf& record);
int WorkerTakeNodeData(NodeStaticData& data);
std::uint32_t WorkerProgressWord();
// The node number, and its network name in `name`; -1 and empty when unknown,
// when identity monitoring is off, or when `name` cannot hold 5 characters.
int WorkerNodeIdentity(char* name, int size);
// 0 and the 64-byte status block in the live job with a node connected;
// otherwise zeros and -1.
int WorkerStatusBlock(std::uint8_t* block);
// 0 and the 16-byte reading in the monitor job, otherwise -2.
int WorkerMonitorReading(std::uint8_t* reading);
// 0 no complete set yet, 2 a new set not taken, 1 the taken set is current.
int WorkerLiveValuesState();
void WorkerTakeLiveValues(std::uint16_t* values);
// The stored length (-1 none) and, when not negative, the 100 bytes and the
// block's base address; the stored length then becomes -1.
int WorkerTakeMemoryReply(std::uint8_t* reply, int& baseAddress);

void WorkerSelectMonitoredEndpoint(char kind, std::uint8_t card, std::uint8_t channel);
int WorkerRequestEngineeringCommand(const std::uint8_t* bytes, int count);
void WorkerRequestOnOff(std::uint8_t value);
void WorkerRequestToggle();
void WorkerRequestChannelStep(int steps);
void WorkerRequestPowerStep(int steps);
// A node of 0 means this node; a first value of 0 means no request.
void WorkerRequestEndpointControl(int node, const std::uint16_t* values);
void WorkerRequestMemoryRead(int address);

} // namespace mnm
