// The worker's state, shared by the user-interface side (WorkerControl.cpp)
// and the worker thread (WorkerPasses.cpp). Everything in WorkerData and the
// transfer's stop source are guarded by WorkerShared::lock.
#pragma once

#include <condition_variable>
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
    TransferOutcome send;
    TransferOutcome receive;
    RequestStatus nodeDataStatus = RequestStatus::kNone;
    NodeConf recordToSend{};
    SendCommit commit = SendCommit::kAsSetting;
    NodeConf receivedRecord{};
    NodeStaticData nodeData{};
    std::uint32_t progress = kProgressNothing;
    int nodeNumber = kUnknownNodeNumber;
    std::string networkName;
    int connected = 0; // 2 on an answer, one less on each silence
    std::uint8_t statusBlock[kStatusBlockSize] = {};
    std::uint8_t monitored[3] = {};
    std::uint8_t monitorReading[kMonitorReadingSize] = {};
    std::uint16_t liveValues[kLiveValueCount] = {};
    LiveValuesState liveState = LiveValuesState::kNone;
    std::uint16_t liveWorking[kLiveValueCount] = {};
    int liveNext = 0;
    MemoryReply memory;
    bool memoryReady = false;
    WorkerRequests pending;
};

struct WorkerShared {
    WorkerShared(FrameLine& line, ChannelBudgets budgets) : channel(line, budgets) {}

    std::mutex lock;
    WorkerData data;
    std::condition_variable idle; // notified when a one-shot job ends
    std::stop_source transfer{std::nostopstate}; // the running one-shot job's, from its start
    std::stop_source pass{std::nostopstate};     // the running live or monitor pass's
    // Set before the thread starts, then only read.
    PostCommandId post;
    WorkerOptions options;
    NodeChannel channel; // the worker thread's alone once it runs
    std::jthread thread;
};

// The thread's loop (WorkerPasses.cpp).
void WorkerLoop(WorkerShared& s, std::stop_token stop);

// Clears the gathered values so the next complete set starts afresh.
void ResetLiveGathering(WorkerData& d);

} // namespace mnm
