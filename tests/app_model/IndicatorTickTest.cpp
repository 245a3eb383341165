#include "app/model/IndicatorTick.h"

#include "worker/Worker.h"

#include <gtest/gtest.h>

#include <vector>

using namespace mnm;
using namespace mnm::app;

namespace {

TickInputs Node(int job, bool busy = false)
{
    TickInputs in;
    in.connected = true;
    in.job = job;
    in.busy = busy;
    in.nodeNumber = 12;
    in.nodeName = "NORTH";
    return in;
}

// Runs the ticks and collects the frames shown.
struct Ticker {
    IndicatorState state;
    std::vector<int> frames;
    int nodeDataStarts = 0;
    TickResult last;

    void Run(const TickInputs& in, int ticks = 1)
    {
        for (int i = 0; i < ticks; ++i) {
            last = IndicatorTick(state, in);
            state = last.next;
            frames.push_back(last.frame);
            nodeDataStarts += last.startNodeData ? 1 : 0;
        }
    }
};

std::vector<int> Range(int from, int to)
{
    std::vector<int> frames;
    for (int f = from;; f += from < to ? 1 : -1) {
        frames.push_back(f);
        if (f == to) break;
    }
    return frames;
}

std::vector<int> Join(std::vector<int> a, const std::vector<int>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace

TEST(IndicatorTick, NoNodeShowsFrame14WithoutText)
{
    Ticker t;
    t.Run(TickInputs{}, 3);
    EXPECT_EQ((std::vector<int>{14, 14, 14}), t.frames);
    EXPECT_EQ(IndicatorTexts{}, t.last.texts);
    EXPECT_EQ(0, t.nodeDataStarts);
    EXPECT_EQ("No node connected", t.last.tooltip);
}

TEST(IndicatorTick, ConnectingReadsTheNodeDataOnceAndPlaysItsSequenceToTheEnd)
{
    Ticker t;
    t.Run(TickInputs{});
    t.Run(Node(kJobLive));
    EXPECT_TRUE(t.last.forgetNodeHardware);
    EXPECT_TRUE(t.last.startNodeData);
    t.Run(Node(kJobNodeData, true), 3);
    t.Run(Node(kJobLive), 12); // the read ended early: the sequence still runs to 17
    EXPECT_EQ(Join({14, 16}, Join(Range(30, 17), {16})), t.frames);
    EXPECT_EQ(1, t.nodeDataStarts);
    EXPECT_EQ((IndicatorTexts{"NORTH", "12"}), t.last.texts);
    EXPECT_EQ("Node connected: NORTH 12", t.last.tooltip);
    EXPECT_FALSE(IndicatorTick(t.state, Node(kJobLive)).redraw) << "nothing changed";

    t.Run(TickInputs{});
    EXPECT_TRUE(t.last.forgetNodeHardware);
    EXPECT_EQ(14, t.last.frame);
    t.Run(Node(kJobLive));
    EXPECT_EQ(2, t.nodeDataStarts) << "once per connection";
}

TEST(IndicatorTick, ConnectingDuringATransferReadsTheNodeDataAfterIt)
{
    Ticker t;
    t.Run(TickInputs{});
    t.Run(Node(kJobReceive, true), 5);
    EXPECT_EQ(0, t.nodeDataStarts);
    t.Run(Node(kJobLive));
    EXPECT_EQ(1, t.nodeDataStarts);
}

TEST(IndicatorTick, SendPlaysForwardsToFrame13BeforeTheModeChanges)
{
    Ticker t;
    t.Run(Node(kJobLive));
    t.frames.clear();
    t.Run(Node(kJobSend, true), 5); // 0..4
    t.Run(Node(kJobLive), 10);      // ended at frame 4: 5..13, then 16
    EXPECT_EQ(Join(Range(0, 13), {16}), t.frames);

    t.frames.clear();
    TickInputs flash = Node(kJobSend, true);
    flash.flashWriting = true;
    t.Run(flash, 2);
    t.Run(Node(kJobReceive, true), 15);
    EXPECT_EQ(Join({15, 15}, Join(Range(13, 0), {13})), t.frames);
}

TEST(IndicatorTick, TextsFromTheProgressWordOrTheNode)
{
    struct Case {
        std::uint32_t word;
        IndicatorTexts texts;
    };
    const Case cases[] = {
        {ProgressWord(kProgressReceiving, 409), {"RCVD", "40%"}},
        {ProgressWord(kProgressSending, 1000), {"SENT", "100%"}},
        {ProgressWord(kProgressCommitting, 3 << 8 | 5), {"FLASH", "3/5"}},
        {ProgressWord(kProgressWiping, 0), {"PREWRT", ""}},
        {ProgressWord(kProgressScheduler, 1), {"SCHED+", ""}},
        {ProgressWord(kProgressScheduler, 0), {"SCHED-", ""}},
        {kProgressIdle, {"NORTH", "12"}},
        {kProgressNothing, {"NORTH", "12"}},
        {ProgressWord(0xF016, 1), {"NORTH", "12"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.texts, IndicatorTextsFor(12, "NORTH", c.word)) << std::hex << c.word;
        EXPECT_EQ(IndicatorTexts{}, IndicatorTextsFor(kUnknownNode, "", c.word)) << "identity off: no text";
    }
}

TEST(IndicatorTick, LiveViewRetriesTheLiveJobAfterATransfer)
{
    Ticker t;
    TickInputs in = Node(kJobSend, true);
    in.liveViewShown = true;
    t.Run(in);
    EXPECT_FALSE(t.last.retryLiveStart) << "the worker refuses while a transfer runs";
    in.job = kJobMonitor;
    in.busy = false;
    t.Run(in);
    EXPECT_TRUE(t.last.retryLiveStart);
    in.job = kJobLive;
    t.Run(in);
    EXPECT_FALSE(t.last.retryLiveStart);
}

TEST(IndicatorTick, TooltipNamesTheTransferAndThePortProblem)
{
    TickInputs in = Node(kJobReceive, true);
    in.progressWord = ProgressWord(kProgressReceiving, 409);
    in.portProblem = "Port /dev/ttyUSB0: busy";
    EXPECT_EQ("Receiving from the node: RCVD 40%\nPort /dev/ttyUSB0: busy", IndicatorTick({}, in).tooltip);
}
