// The worker's state, shared by the user-interface side (WorkerControl.cpp)
// and the worker thread (WorkerPasses.cpp). Everything in WorkerData and the
// transfer's stop source are guarded by WorkerShared::lock.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <stop_token>
#include <thread>

#include "protocol/NodeChannel.h"
#include "transfer/NodeTransfers.h"
#include "wire/NodeCodes.h"
#include "worker/Worker.h"

namespace mnm {

inline constexpr std::uint16_t kNoLiveValue = 65535;
inline constexpr int kEndpointControlValues = 6;

struct WorkerRequests {
    std::uint8_t engineering[kMaxEngineeringBytes] = {};
    int engineeringCount = 0;
    std::uint8_t onOff = kOnOffNone;
    bool toggle = false;
    int channelSteps = 0;
    int powerSteps = 0;
    int endpointNode = 0;
    std::uint16_t endpointValues[kEndpointControlValues] = {};
    int memoryAddress = -1;
};

struct WorkerData {
    int job = kJobLive;
    int previousJob = kJobLive;
    int target[kJobNodeData + 1] = {}; // command id per job number; 0 none
    int sendStatus = kRequestNone;
    int receiveStatus = kRequestNone;
    int nodeDataStatus = kRequestNone;
    int sendResult = 0;
    std::string message;
    NodeConf recordToSend{};
    SendCommit commit = SendCommit::kAsSetting;
    NodeConf receivedRecord{};
    NodeStaticData nodeData{};
    std::uint32_t progress = kProgressNothing;
    int nodeNumber = -1;
    std::string networkName;
    bool identityMonitoring = false;
    int connected = 0;
    std::uint8_t statusBlock[kStatusBlockSize] = {};
    std::uint8_t monitored[3] = {};
    std::uint8_t monitorReading[kMonitorReadingSize] = {};
    std::uint16_t liveValues[kLiveValueCount] = {};
    int liveState = 0;
    std::uint16_t liveWorking[kLiveValueCount] = {};
    int liveNext = 0;
    std::uint8_t memoryReply[kMemoryReplySize] = {};
    int memoryLength = -1;
    int memoryBase = 0;
    WorkerRequests pending;
};

struct WorkerShared {
    WorkerShared(FrameLine& line, ChannelBudgets budgets) : channel(line, budgets) {}

    std::mutex lock;
    WorkerData data;
    std::stop_source transfer{std::nostopstate}; // the running send or receive's
    PostCommandId post; // set before the thread starts, then only read
    bool commitSetting = true; // "CommitToFlashOnDownload", read at start
    NodeChannel channel;       // the worker thread's alone once it runs
    std::jthread thread;
};

// The thread's loop (WorkerPasses.cpp).
void WorkerLoop(WorkerShared& s, std::stop_token stop);

// Clears the gathered values so the next complete set starts afresh.
void ResetLiveGathering(WorkerData& d);

inline bool IsOneShotJob(int job) { return job == kJobSend || job == kJobReceive || job == kJobNodeData; }

} // namespace mnm
