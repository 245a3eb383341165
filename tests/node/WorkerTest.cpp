// The communication worker through the real link thread against the
// virtual node. Requests that must fall between two passes are left from
// the post callback, which runs on the worker thread between passes.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <limits>
#include <mutex>
#include <thread>
#include <vector>

#include "wire/NodeCodes.h"
#include "protocol/NodeProtocol.h"
#include "transfer/TransferMessage.h"
#include "worker/Worker.h"
#include "sim/SampleConfigurations.h"
#include "tests/node/NodeOnTerminal.h"

namespace mnm {
namespace {

constexpr int kLiveId = 8501;
constexpr int kMonitorId = 8502;
constexpr int kReceiveId = 8503;
constexpr int kSendId = 8504;
constexpr int kNodeDataId = 8505;
constexpr auto kPatience = std::chrono::seconds(30);

using Data = std::vector<std::uint8_t>;

int GetPower(const Data& data) { return data.size() == 2 ? data[0] << 8 | data[1] : -1; }

// The data of every command with `code` the node has seen, in order.
std::vector<Data> DataOf(std::uint8_t code)
{
    std::vector<Data> data;
    for (const auto& c : CommandsOf(code)) data.push_back(c.data);
    return data;
}

class WorkerJobs : public OnNode {
protected:
    void TearDown() override { worker.Stop(); }

    void StartWorker()
    {
        ASSERT_TRUE(worker.Start([this](int id) { return OnPost(id); }, options));
        ASSERT_EQ(worker.StartLive(kLiveId), StartResult::kStarted);
    }

    Worker worker{TestLink()};
    // Short budgets keep the passes without a node brief.
    WorkerOptions options{{ChecksForMilliseconds(200), ChecksForMilliseconds(1500)}, true, true};

    // Runs `hook` on the worker thread at its next post, between two passes.
    // Returns the mark from which WaitForPosts counts that post.
    std::size_t BetweenPasses(std::function<void()> hook)
    {
        std::lock_guard<std::mutex> guard(lock_);
        hook_ = std::move(hook);
        return posts_.size();
    }

    std::size_t Mark()
    {
        std::lock_guard<std::mutex> guard(lock_);
        return posts_.size();
    }

    // Waits for `count` posts of `id` after `first`; returns the connected
    // state at each.
    std::vector<int> WaitForPosts(int id, int count) { return WaitForPosts(id, count, Mark()); }
    std::vector<int> WaitForPosts(int id, int count, std::size_t first)
    {
        std::unique_lock<std::mutex> lock(lock_);
        std::vector<int> seen;
        posted_.wait_for(lock, kPatience, [&] {
            seen.clear();
            for (std::size_t i = first; i < posts_.size(); ++i)
                if (posts_[i].first == id) seen.push_back(posts_[i].second);
            return static_cast<int>(seen.size()) >= count;
        });
        EXPECT_EQ(static_cast<int>(seen.size()), count) << "posts of " << id;
        return seen;
    }

    // Leaves the requests between two passes and waits for the pass that takes them.
    void RequestBetweenPasses(std::function<void()> requests)
    {
        WaitForPosts(kLiveId, 2, BetweenPasses(std::move(requests)));
    }

private:
    bool OnPost(int id)
    {
        const int connected = worker.IsNodeConnected() ? 1 : 0;
        std::function<void()> hook;
        {
            std::lock_guard<std::mutex> guard(lock_);
            posts_.emplace_back(id, connected);
            hook.swap(hook_);
        }
        if (hook) hook();
        posted_.notify_all();
        return true;
    }

    std::mutex lock_;
    std::condition_variable posted_;
    std::vector<std::pair<int, int>> posts_;
    std::function<void()> hook_;
};

TEST_F(WorkerJobs, ConnectedStateFollowsThePresencePoll)
{
    TestNode().SetSilent(true);
    StartWorker();
    for (int connected : WaitForPosts(kLiveId, 3)) EXPECT_EQ(connected, 0);
    EXPECT_EQ(worker.Snapshot().nodeNumber, kUnknownNodeNumber);
    EXPECT_EQ(worker.Snapshot().networkName, "");
    EXPECT_FALSE(worker.StatusBlock());

    const std::size_t appears = BetweenPasses([] { TestNode().SetSilent(false); });
    EXPECT_EQ(WaitForPosts(kLiveId, 2, appears), (std::vector<int>{0, 1}));
    int number = 0;
    std::string network;
    TestNode().WithState([&](NodeModel& s) {
        number = s.Working().nodeNumber;
        network = std::string(s.Working().networkName).substr(0, kIdentityNameLength);
    });
    const WorkerSnapshot seen = worker.Snapshot();
    EXPECT_EQ(seen.nodeNumber, number);
    EXPECT_EQ(seen.networkName, network);
    EXPECT_TRUE(seen.connected);
    EXPECT_TRUE(worker.StatusBlock());

    // Gone: still connected after one failed pass, not after the second.
    const std::size_t goes = BetweenPasses([] { TestNode().SetSilent(true); });
    EXPECT_EQ(WaitForPosts(kLiveId, 3, goes), (std::vector<int>{1, 1, 0}));
    EXPECT_EQ(worker.Snapshot().nodeNumber, kUnknownNodeNumber);
}

TEST_F(WorkerJobs, OneShotJobsRefuseRequestsWhileRunningAndHoldResults)
{
    StartWorker();
    WaitForPosts(kLiveId, 1);
    TestNode().InjectFault({kTypeQuery, query::kNodeNumber}, {Fault::kDelay, 150, 1});
    ASSERT_EQ(worker.StartReceive(kReceiveId), StartResult::kStarted);
    EXPECT_EQ(worker.StartReceive(kReceiveId), StartResult::kBusy);
    EXPECT_EQ(worker.StartNodeDataRead(kNodeDataId), StartResult::kBusy);
    EXPECT_EQ(worker.StartLive(kLiveId), StartResult::kBusy);
    EXPECT_TRUE(worker.Snapshot().busy);
    WaitForPosts(kReceiveId, 1);
    EXPECT_EQ(worker.Snapshot().job, kJobLive);
    EXPECT_EQ(worker.StartReceive(kReceiveId), StartResult::kResultWaiting); // until the record is taken
    const ReceivedRecord received = worker.TakeReceived();
    ASSERT_TRUE(received.record);
    EXPECT_TRUE(received.outcome.Succeeded());
    EXPECT_FALSE(received.outcome.report.text);
    int number = -1;
    TestNode().WithState([&](NodeModel& s) { number = s.Flash().nodeNumber; });
    EXPECT_EQ(received.record->nodeNumber, number);
    EXPECT_EQ(worker.TakeReceived().outcome.status, RequestStatus::kNone);
    EXPECT_FALSE(worker.TakeReceived().record);

    ASSERT_EQ(worker.StartNodeDataRead(kNodeDataId), StartResult::kStarted);
    WaitForPosts(kNodeDataId, 1);
    EXPECT_EQ(worker.StartNodeDataRead(kNodeDataId), StartResult::kResultWaiting);
    const NodeDataRead read = worker.TakeNodeData();
    ASSERT_EQ(read.status, RequestStatus::kDone);
    ASSERT_TRUE(read.data);
    EXPECT_EQ(read.data->cardNameCount, 2);
    EXPECT_GT(read.data->channelGroupCount, 0);
    EXPECT_STREQ(read.data->firmwareVersion, "2.08.0050");
    EXPECT_EQ(worker.TakeNodeData().status, RequestStatus::kNone);
    EXPECT_EQ(worker.StartNodeDataRead(kNodeDataId), StartResult::kStarted);
    WaitForPosts(kNodeDataId, 1);
}

TEST_F(WorkerJobs, NodeDataReadFailingPartWayPublishesNothingAndDisconnects)
{
    StartWorker();
    EXPECT_EQ(WaitForPosts(kLiveId, 1), std::vector<int>{1});
    // Without status blocks nothing reconnects the node behind the test's back.
    TestNode().InjectFault({kTypeQuery, query::kStatusBlock}, {Fault::kDrop});
    TestNode().InjectFault({kTypeQuery, query::kChannelLayout}, {Fault::kDrop});
    ASSERT_EQ(worker.StartNodeDataRead(kNodeDataId), StartResult::kStarted);
    ASSERT_TRUE(worker.WaitUntilIdle(kPatience));
    const NodeDataRead read = worker.TakeNodeData();
    EXPECT_EQ(read.status, RequestStatus::kFailed);
    EXPECT_FALSE(read.data);
    EXPECT_FALSE(worker.IsNodeConnected());
    EXPECT_EQ(worker.Snapshot().job, kJobLive);
}

TEST_F(WorkerJobs, LiveRequestsAreTakenOncePerPass)
{
    StartWorker();
    WaitForPosts(kLiveId, 1);

    RequestBetweenPasses([this] {
        worker.RequestToggle();
        worker.RequestToggle();
    });
    EXPECT_TRUE(CommandsOf(command::kEndpointControl).empty());
    RequestBetweenPasses([this] { worker.RequestToggle(); });
    EXPECT_EQ(DataOf(command::kEndpointControl), (std::vector<Data>{{0, 0, 0, 14}}));

    const EndpointControlValues local = {14, 60, 65535, 65535, 65535, 65535};
    RequestBetweenPasses([&] { worker.RequestEndpointControl(0, local); });
    EXPECT_EQ(CommandsOf(command::kEndpointControl).back().data,
              (Data{0, 0, 0, 14, 0, 60, 255, 255, 255, 255, 255, 255, 255, 255}));
    WaitForPosts(kLiveId, 1); // a status block of the carrier-receiving node
    const std::optional<StatusBlockBytes> block = worker.StatusBlock();
    ASSERT_TRUE(block);
    EXPECT_EQ((*block)[5], kModeCarrierReceive);
    RequestBetweenPasses([this] { worker.RequestToggle(); });
    EXPECT_EQ(CommandsOf(command::kEndpointControl).back().data, (Data{0, 0, 0, 16}));

    const EndpointControlValues remote = {10, 40, 7, 500, 65535, 65535};
    RequestBetweenPasses([&] { worker.RequestEndpointControl(5, remote); });
    EXPECT_EQ(DataOf(command::kEndpointControlNode),
              (std::vector<Data>{{0, 5, 0, 0, 0, 10, 0, 40, 0, 7, 1, 244, 255, 255, 255, 255}}));

    TestNode().SetQueryReply(query::kPresentChannel, 0, 0, {0, 14});
    TestNode().SetQueryReply(query::kHighestChannel, 0, 0, {16});
    RequestBetweenPasses([this] {
        for (int i = 0; i < 3; ++i) worker.RequestChannelStep(1);
    });
    EXPECT_EQ(DataOf(command::kSetChannel), (std::vector<Data>{{0, 16}}));
    RequestBetweenPasses([this] { worker.RequestChannelStep(-20); });
    EXPECT_EQ(CommandsOf(command::kSetChannel).back().data, (Data{0, 1}));

    TestNode().SetQueryReply(query::kPresentPower, 0, 0, {0, 237});
    const std::pair<int, int> powerSteps[] = {{-1, 230}, {1, 240}, {2, 250}};
    for (const auto& [steps, expected] : powerSteps) {
        RequestBetweenPasses([this, steps] { worker.RequestPowerStep(steps); });
        EXPECT_EQ(GetPower(CommandsOf(command::kSetPower).back().data), expected) << steps;
    }
    EXPECT_EQ(CommandsOf(command::kSetPower).size(), 3u);

    const std::uint8_t bytes[18] = {1, 2, 3};
    EXPECT_EQ(worker.RequestEngineeringCommand(bytes), EngineeringRequest::kTooLong);
    EXPECT_EQ(worker.RequestEngineeringCommand({bytes, 0}), EngineeringRequest::kEmpty);
    RequestBetweenPasses([&] {
        EXPECT_EQ(worker.RequestEngineeringCommand({bytes, 3}), EngineeringRequest::kTaken);
        EXPECT_EQ(worker.RequestEngineeringCommand({bytes, 3}), EngineeringRequest::kOnePending);
        worker.RequestOnOff(7);
        worker.RequestMemoryRead(0x1234);
    });
    EXPECT_EQ(worker.RequestEngineeringCommand({bytes, 3}), EngineeringRequest::kTaken); // the first was taken
    EXPECT_EQ(DataOf(command::kEngineering), (std::vector<Data>{{1, 2, 3}}));
    EXPECT_EQ(DataOf(command::kOnOff), (std::vector<Data>{{0, 0, 0, 1}}));
    const std::optional<MemoryReply> memory = worker.TakeMemoryReply();
    ASSERT_TRUE(memory);
    EXPECT_EQ(memory->length, kMemoryBlockSize);
    EXPECT_EQ(memory->baseAddress, 0x1230);
    EXPECT_FALSE(worker.TakeMemoryReply());
    bool asked = false;
    for (const auto& q : TestNode().Queries())
        asked = asked || (q.code == query::kMemory && q.p1 == 1 && q.p2 == 0x23);
    EXPECT_TRUE(asked);
}

TEST_F(WorkerJobs, LiveValuesAreGatheredOverPassesAndABadReplyStartsAgain)
{
    StartWorker();
    ASSERT_TRUE(Eventually([this] { return worker.LiveValuesReady() == LiveValuesState::kNew; }));
    const LiveValues values = worker.TakeLiveValues();
    EXPECT_EQ(worker.LiveValuesReady(), LiveValuesState::kTaken);
    EXPECT_NE(values[0], 65535);
    EXPECT_EQ(values[kLiveValueCount - 1], 65535);
    // Another view of the live job keeps them; another job makes them stale.
    ASSERT_EQ(worker.StartLive(kLiveId), StartResult::kStarted);
    EXPECT_NE(worker.LiveValuesReady(), LiveValuesState::kNone);
    ASSERT_EQ(worker.StartMonitor(kMonitorId), StartResult::kStarted);
    ASSERT_EQ(worker.StartLive(kLiveId), StartResult::kStarted);
    EXPECT_EQ(worker.LiveValuesReady(), LiveValuesState::kNone);
    ASSERT_TRUE(Eventually([this] { return worker.LiveValuesReady() == LiveValuesState::kNew; }));

    TestNode().SetQueryReply(query::kLiveValues, 0, 0, {0, 0, 1, 2});
    WaitForPosts(kLiveId, 3);
    EXPECT_EQ(worker.LiveValuesReady(), LiveValuesState::kNone);
    const auto queries = TestNode().Queries();
    std::vector<int> firstIndexes;
    for (const auto& q : queries)
        if (q.code == query::kLiveValues) firstIndexes.push_back(q.p1);
    ASSERT_GE(firstIndexes.size(), 2u);
    EXPECT_EQ(firstIndexes[firstIndexes.size() - 1], 0);
    EXPECT_EQ(firstIndexes[firstIndexes.size() - 2], 0);
}

TEST_F(WorkerJobs, MonitorRequestedDuringAOneShotJobStartsAfterIt)
{
    StartWorker();
    WaitForPosts(kLiveId, 1);
    worker.SelectMonitoredEndpoint('d', 1, 2);
    TestNode().InjectFault({kTypeQuery, query::kNodeNumber}, {Fault::kDelay, 150, 1});
    ASSERT_EQ(worker.StartNodeDataRead(kNodeDataId), StartResult::kStarted);
    EXPECT_EQ(worker.StartMonitor(kMonitorId), StartResult::kBusy);
    WaitForPosts(kMonitorId, 1);
    EXPECT_EQ(worker.Snapshot().job, kJobMonitor);
    const std::optional<MonitorReadingBytes> reading = worker.MonitorReading();
    ASSERT_TRUE(reading);
    EXPECT_EQ(Data(reading->begin() + 4, reading->begin() + 8), (Data{0, 'd', 1, 2}));
    ASSERT_FALSE(CommandsOf(command::kSelectMonitor).empty());
    EXPECT_EQ(CommandsOf(command::kSelectMonitor)[0].data, (Data{0, 'd', 1, 2, 0}));
    EXPECT_FALSE(worker.StatusBlock()); // only the live job has one

    ASSERT_EQ(worker.StartLive(kLiveId), StartResult::kStarted);
    EXPECT_FALSE(worker.MonitorReading());
}

TEST_F(WorkerJobs, LiveRequestedDuringAOneShotJobStartsAfterItAndOldRequestsAreForgotten)
{
    StartWorker();
    ASSERT_EQ(worker.StartMonitor(kMonitorId), StartResult::kStarted);
    WaitForPosts(kMonitorId, 1);
    // Left while the monitor runs, which carries out no requests.
    worker.RequestOnOff(1);
    worker.RequestPowerStep(2);
    ASSERT_EQ(worker.StartLive(kLiveId), StartResult::kStarted);
    WaitForPosts(kLiveId, 2);
    EXPECT_TRUE(DataOf(command::kOnOff).empty());
    EXPECT_TRUE(DataOf(command::kSetPower).empty());

    ASSERT_EQ(worker.StartMonitor(kMonitorId), StartResult::kStarted);
    WaitForPosts(kMonitorId, 1);
    worker.RequestOnOff(1);
    TestNode().InjectFault({kTypeQuery, query::kNodeNumber}, {Fault::kDelay, 150, 1});
    ASSERT_EQ(worker.StartNodeDataRead(kNodeDataId), StartResult::kStarted);
    EXPECT_EQ(worker.StartLive(kLiveId), StartResult::kBusy); // asked for, taken after the read
    WaitForPosts(kNodeDataId, 1);
    WaitForPosts(kLiveId, 2);
    EXPECT_EQ(worker.Snapshot().job, kJobLive);
    EXPECT_TRUE(worker.StatusBlock());
    EXPECT_TRUE(DataOf(command::kOnOff).empty());

    // Requests left for the live job itself are carried out.
    RequestBetweenPasses([this] { worker.RequestOnOff(1); });
    EXPECT_EQ(DataOf(command::kOnOff).size(), 1u);
}

TEST_F(WorkerJobs, SendPublishesRisingProgressAndHandsOverToARequestedMonitor)
{
    StartWorker();
    WaitForPosts(kLiveId, 1);
    // A slow commit, so that the sampling below sees the committing word.
    TestNode().InjectFault({kTypeCommand, command::kCommitRoutes}, {Fault::kDelay, 100, 1});
    ASSERT_EQ(worker.StartSend(EditedConfiguration(), kSendId), StartResult::kStarted);
    worker.SelectMonitoredEndpoint('a', 2, 1);
    EXPECT_EQ(worker.StartMonitor(kMonitorId), StartResult::kBusy); // asked for, taken after the send

    std::vector<std::uint32_t> words;
    std::jthread reader([this, &words](std::stop_token stop) {
        while (!stop.stop_requested()) {
            const std::uint32_t w = worker.Snapshot().progressWord;
            if (words.empty() || words.back() != w) words.push_back(w);
            std::this_thread::sleep_for(std::chrono::microseconds(300));
        }
    });
    WaitForPosts(kSendId, 1, 0);
    WaitForPosts(kMonitorId, 1, 0);
    reader.request_stop();
    reader.join();

    const TransferOutcome sent = worker.SendOutcome();
    EXPECT_TRUE(sent.Succeeded());
    EXPECT_EQ(sent.report.code, 0);
    EXPECT_EQ(worker.Snapshot().job, kJobMonitor);
    EXPECT_EQ(worker.Snapshot().progressWord, kProgressIdle);
    std::uint32_t lastSent = 0;
    bool committed = false;
    for (std::uint32_t w : words) {
        if (w >> 16 == kProgressSending) {
            EXPECT_GE(w & 0xFFFF, lastSent) << "sending progress went back";
            lastSent = w & 0xFFFF;
        }
        committed = committed || w >> 16 == kProgressCommitting;
    }
    EXPECT_GT(lastSent, 0u);
    EXPECT_TRUE(committed);
    ASSERT_FALSE(CommandsOf(command::kSelectMonitor).empty());
    EXPECT_EQ(CommandsOf(command::kSelectMonitor).back().data, (Data{0, 'a', 2, 1, 0}));
}

// Time-outs far beyond anyone's patience (the settings hold them to a range,
// a caller may not): a stop still ends the transfer at once.
TEST_F(WorkerJobs, AStopEndsATransferWhateverItsTimeOuts)
{
    constexpr int kLongestMs = std::numeric_limits<int>::max();
    options.budgets = {ChecksForMilliseconds(kLongestMs), ChecksForMilliseconds(kLongestMs)};
    TestNode().SetSilent(true);
    StartWorker();
    // The live pass waits on the silent node when the receive is asked for.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ASSERT_EQ(worker.StartReceive(kReceiveId), StartResult::kStarted);
    EXPECT_FALSE(worker.WaitUntilIdle(std::chrono::milliseconds(300))) << "a silent node keeps it waiting";
    worker.CancelTransfer();
    EXPECT_TRUE(worker.WaitUntilIdle(std::chrono::seconds(2)));
    const ReceivedRecord received = worker.TakeReceived();
    EXPECT_TRUE(received.outcome.cancelled);
    EXPECT_EQ(received.outcome.report.text, std::optional<std::string>(kTransferCancelledText));
}

// The window closes while a node is slow: stopping the worker in the middle
// of a send at the real line rate ends it at once, puts the node's task
// scheduler back and reports the send as stopped.
TEST_F(WorkerJobs, StopInTheMiddleOfASendAtLineRateIsQuick)
{
#if defined(__SANITIZE_THREAD__) || defined(__SANITIZE_ADDRESS__)
    constexpr auto kStopWithin = std::chrono::milliseconds(2000); // sanitizers slow every step
#else
    // Bound by the wait for the node to take its scheduler back, with room
    // for a busy machine.
    constexpr auto kStopWithin = kRestoreAfterStop + std::chrono::milliseconds(500);
#endif
    TestNode().SetPace(true);
    options.budgets.queryChecks = ChecksForMilliseconds(800); // a status block takes 170 ms at line rate
    StartWorker();
    ASSERT_EQ(worker.StartSend(EditedConfiguration(), kSendId), StartResult::kStarted);
    ASSERT_TRUE(Eventually([this] {
        const std::uint32_t w = worker.Snapshot().progressWord;
        return w >> 16 == kProgressSending && (w & 0xFFFF) > 0;
    }));
    int raised = 0;
    TestNode().WithState([&](NodeModel& s) { raised = s.Scheduler(); });
    EXPECT_EQ(raised, 1);

    const std::size_t mark = Mark();
    const auto start = std::chrono::steady_clock::now();
    worker.Stop();
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took, kStopWithin) << std::chrono::duration_cast<std::chrono::milliseconds>(took).count() << " ms";

    WaitForPosts(kSendId, 1, mark);
    const TransferOutcome sent = worker.SendOutcome();
    EXPECT_EQ(sent.status, RequestStatus::kFailed);
    EXPECT_EQ(sent.report.text, std::optional<std::string>(kTransferCancelledText));
    EXPECT_EQ(worker.Snapshot().progressWord, kProgressIdle);
    EXPECT_TRUE(Eventually([] {
        int scheduler = -1;
        TestNode().WithState([&](NodeModel& s) { scheduler = s.Scheduler(); });
        return scheduler == 0;
    }));
    TestNode().SetPace(false);
}

} // namespace
} // namespace mnm
