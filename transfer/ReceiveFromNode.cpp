// Reading a node's whole configuration, strictly in order: the first thing
// that cannot be read ends it with one message naming it, and a partly read
// record is never handed out.
#include <cstring>

#include "nodeconf/ResultCodes.h"
#include "protocol/NodeProtocol.h"
#include "protocol/NodeTypedCommands.h"
#include "protocol/NodeTypedQueries.h"
#include "transfer/NodeTransferWrappers.h"
#include "transfer/NodeTransfers.h"
#include "transfer/RecordAsSent.h"
#include "transfer/TransferMessage.h"
#include "transfer/TransferProgress.h"
#include "wire/NodeCodes.h"
#include "wire/NodeVersion.h"
#include "wire/WireRecords.h"

namespace mnm {
namespace {

constexpr int kFixedItems = 7;
constexpr int kOptionalAttempts = 3;
constexpr int kDialupNumberReadLength = 64;

class Receiver {
public:
    Receiver(NodeChannel& channel, NodeConf& r, TransferProgress& progress)
        : channel_(channel), r_(r), progress_(progress)
    {
    }
    Report Run();
    // True from the request that raises the node's task scheduler until it
    // is restored.
    bool SchedulerRaised() const { return schedulerRaised_; }

private:
    Report PlanTotal();
    Report NetworkParameters();
    void LowPowerAndHighway();
    Report Connections();
    Report Routes(std::uint8_t table, RouteEntry* entries, std::int32_t& count, const char* failure);
    Report Dialup();
    Report DialupNumbers();
    Report Sms();
    Report SmsNumbers(int t);
    Report SmsConnections(int c);
    void Step() { progress_.Items(kProgressReceiving, ++done_, total_); }
    Report Fail(const char* text) { return TransferFailure("%s", text); }

    NodeChannel& channel_;
    NodeConf& r_;
    TransferProgress& progress_;
    char version_[kVersionTextLength + 1] = {};
    bool tableSizes_ = false;
    bool schedulerRaised_ = false;
    int done_ = 0;
    int total_ = kFixedItems;
};

Report Receiver::PlanTotal()
{
    std::uint32_t primary = 0, secondary = 0, count = 0;
    if (!ReadRoutingTableSizes(channel_, primary, secondary))
        return Fail("Unable to read number of entries in Connected Node's Routing Tables");
    total_ += static_cast<int>(primary + secondary);
    if (!ReadConnectionCount(channel_, count)) return Fail("Unable to read number of Connections on Connected Node");
    total_ += static_cast<int>(count);
    if (!ReadDialupConnectionCount(channel_, count))
        return Fail("Unable to read number of Dialup Connections on Connected Node");
    total_ += static_cast<int>(count);
    if (!ReadDialupNumberCount(channel_, count))
        return Fail("Unable to read number of Dialup Connection Telephone Numbers on Connected Node");
    total_ += static_cast<int>(count);
    SmsTableSizes sizes{};
    if (NodeQuerySmsTableSizes(channel_, sizes) != 0)
        return Fail("Unable to read the SMS Table sizes from the Connected Node");
    total_ += sizes.connections + sizes.numbers + sizes.messages;
    return {};
}

Report Receiver::NetworkParameters()
{
    std::uint8_t name[kReplyBufferSize] = {};
    if (NodeQueryBytes(channel_, query::kNetworkName, 0, 0, 1, sizeof r_.networkName - 1, name) < 0)
        return Fail("Unable to upload Network Name");
    std::memcpy(r_.networkName, name, sizeof r_.networkName);
    Step();
    std::uint32_t u = 0;
    std::int32_t s = 0;
    if (NodeQueryU8(channel_, query::kNodeNumber, 0, 0, u) != 0) return Fail("Unable to upload Node Number");
    r_.nodeNumber = static_cast<std::int32_t>(u);
    Step();
    if (NodeQueryS16(channel_, query::kRadioChannel, 0, 0, s) != 0) return Fail("Unable to upload Channel Number");
    r_.radioChannel = s;
    Step();
    if (NodeQueryS16(channel_, query::kTransmitPower, 0, 0, s) != 0) return Fail("Unable to upload Transmit Power");
    r_.transmitPower = s;
    Step();
    struct Word {
        std::uint8_t code;
        std::int32_t NodeConf::*field;
        const char* failure;
    };
    static constexpr Word kWords[] = {
        {query::kMaxRetries, &NodeConf::maxRetries, "Unable to upload Retry Limit"},
        {query::kTransmitInterval, &NodeConf::transmitInterval, "Unable to upload Transmit Interval"},
        {query::kAlarmDelay, &NodeConf::alarmDelay, "Unable to upload Alarm Delay"},
    };
    for (const Word& w : kWords) {
        if (NodeQueryU32(channel_, w.code, 0, 0, u) != 0) return Fail(w.failure);
        r_.*w.field = static_cast<std::int32_t>(u);
        Step();
    }
    if (tableSizes_) {
        if (NodeQueryU32(channel_, query::kNetworkFlags, 0, 0, u) != 0)
            return Fail("Unable to upload Network Flags, even though connected Node supports them");
        r_.networkFlags = u;
    }
    return {};
}

// Neither ever fails the reading: a node without them gets the values a
// node without them is known by.
void Receiver::LowPowerAndHighway()
{
    bool lowPower = false;
    for (int attempt = 0; attempt < kOptionalAttempts && !lowPower; ++attempt) {
        std::uint32_t receiver = 0, preTransmit = 0;
        lowPower = NodeQueryU32(channel_, query::kLowPowerReceiver, 0, 0, receiver) == 0 &&
                   NodeQueryU32(channel_, query::kPreTransmitOnTime, 0, 0, preTransmit) == 0;
        r_.lowPowerReceiver = static_cast<std::int32_t>(receiver);
        r_.preTransmitOnTime = static_cast<std::int32_t>(preTransmit);
    }
    if (!lowPower) r_.lowPowerReceiver = r_.preTransmitOnTime = static_cast<std::int32_t>(absent);

    SetNoHighway(r_);
    std::uint32_t highway = 0;
    if (NodeQueryU32Retry(channel_, query::kHighway, 0, 0, kOptionalAttempts, highway)) {
        r_.highwayEncoding = static_cast<char>(highway >> 24);
        r_.highwayCharSize = static_cast<std::uint8_t>(highway >> 16);
        r_.highwayParity = static_cast<char>(highway >> 8);
        r_.highwayCheckParity = static_cast<std::uint8_t>(highway);
    }
}

Report Receiver::Connections()
{
    int i = 0;
    for (; i < kMaxConnections; ++i) {
        const int rc = NodeQueryConnection(channel_, query::kConnection, static_cast<std::uint8_t>(i / 256),
                                           static_cast<std::uint8_t>(i % 256), r_.connections[i]);
        if (rc == 1) break;
        if (rc != 0) return TransferFailure("Unable to upload Connection # %d", i + 1);
        Step();
    }
    r_.connectionCount = i;
    return {};
}

Report Receiver::Routes(std::uint8_t table, RouteEntry* entries, std::int32_t& count, const char* failure)
{
    int i = 0;
    for (; i < kMaxRoutes; ++i) {
        std::uint32_t entry = 0;
        // The index is one byte, so the 256th request carries 0.
        const int rc = NodeQueryOptionalU32(channel_, query::kRoute, table, static_cast<std::uint8_t>(i + 1), entry);
        if (rc == 1) break;
        if (rc != 0) return TransferFailure(failure, i + 1);
        entries[i] = entry;
        Step();
    }
    count = i;
    return {};
}

Report Receiver::Dialup()
{
    DialupConnection entry{};
    if (NodeQueryDialupConnection(channel_, query::kDialupConnection, 1, 0, entry) < 0) return {}; // no dialup
    std::uint8_t redial[kReplyBufferSize];
    if (NodeQuery(channel_, query::kRedialParameters, 0, 0, redial) != 20)
        return Fail("Unable to upload Dialup Connections' Redial parameters");
    r_.redialAttempts = static_cast<std::int32_t>(GetU32(redial));
    r_.redialInterval = static_cast<std::int32_t>(GetU32(redial + 4));
    for (int i = 1;; ++i) {
        const int rc = NodeQueryDialupConnection(channel_, query::kDialupConnection, static_cast<std::uint8_t>(i), 0, entry);
        if (rc == 0) {
            r_.dialupConnectionCount = i - 1;
            break;
        }
        if (rc < 0) return TransferFailure("Unable to upload Dialup Connection # %d", i);
        if (i > kMaxDialupConnections)
            return TransferFailure("Uploaded a Dialup Connection # %d, but can only accommodate %d", i,
                                   kMaxDialupConnections);
        r_.dialupConnections[i - 1] = entry;
        Step();
    }
    return DialupNumbers();
}

Report Receiver::DialupNumbers()
{
    for (int i = 1;; ++i) {
        char text[kDialupNumberReadLength + 1];
        int declared = 0;
        const int length = NodeQueryCountedText(channel_, query::kDialupNumber, static_cast<std::uint8_t>(i), 0, text,
                                                kDialupNumberReadLength, declared);
        if (length < 0)
            return TransferFailure("Unable to upload Dialup Connection Telephone Number # %d", i);
        if (declared < 0) {
            r_.dialupNumberCount = i - 1;
            return {};
        }
        // The record has no room for more; nothing is stored beyond it.
        if (i > kDialupNumberSlots)
            return TransferFailure("Dialup Connection Telephone Number #%d is beyond the maximum of %d", i,
                                   kDialupNumberSlots);
        if (length != declared)
            return TransferFailure("Dialup Connection Telephone Number #%d is wrong length (%d vs. %d)", i,
                                   declared, length);
        if (length > kDialupNumberLength)
            return TransferFailure("Dialup Connection Telephone Number #%d is too long enough (%d vs %d)",
                                   i, length, kDialupNumberLength);
        std::memcpy(r_.dialupNumbers[i - 1], text, static_cast<std::size_t>(length) + 1);
        Step();
    }
}

Report Receiver::Sms()
{
    SmsTableSizes sizes{};
    if (NodeQuerySmsTableSizes(channel_, sizes) != 0) return {}; // no SMS
    const int c = sizes.connections, t = sizes.numbers, m = sizes.messages;
    if (m > kSmsMessageSlots)
        return TransferFailure("There are %d SMS Messages,\nbut the maximum is %d.", m, kSmsMessageSlots);
    r_.smsMessageCount = m;
    for (int k = 1; k <= m; ++k) {
        if (!ReadSmsMessage(channel_, k, r_.smsMessages[k - 1], kSmsMessageLength))
            return TransferFailure("Unable to read SMS Message %d", k);
        Step();
    }
    if (Report r = SmsNumbers(t); !r.ok()) return r;
    return SmsConnections(c);
}

Report Receiver::SmsNumbers(int t)
{
    if (t > kSmsNumberSlots)
        return TransferFailure("There are %d SMS Telephone Numbers,\nbut the maximum is %d.", t,
                               kSmsNumberSlots);
    r_.smsNumberCount = t;
    for (int k = 1; k <= t; ++k) {
        int declared = 0;
        const int length = NodeQueryCountedText(channel_, query::kSmsNumber, static_cast<std::uint8_t>(k / 256),
                                                static_cast<std::uint8_t>(k % 256), r_.smsNumbers[k - 1],
                                                kSmsNumberLength, declared);
        if (length < 0) return TransferFailure("Unable to get SMS Telephone Number # %d (of %d)", k, t);
        if (declared < 0)
            return TransferFailure("SMS Telephone Number # %d is beyond end of list (of %d)!", k, t);
        if (length != declared)
            return TransferFailure("SMS Telephone Number # %d got truncated from %d to %d", k, declared,
                                   length);
        Step();
    }
    char probe[2];
    int declared = 0;
    if (NodeQueryCountedText(channel_, query::kSmsNumber, 0, static_cast<std::uint8_t>(t + 1), probe, 1, declared) != 0 ||
        declared >= 0)
        return TransferFailure("Unable to confirm end of list of (%d) SMS Telephone Numbers", t);
    return {};
}

Report Receiver::SmsConnections(int c)
{
    r_.smsConnectionCount = c;
    if (c > kMaxSmsConnections)
        return TransferFailure("There are %d SMS Connections, but the maximum is %d.", c,
                               kMaxSmsConnections);
    for (int k = 1; k <= c; ++k) {
        if (NodeQuerySmsConnection(channel_, query::kSmsConnection, static_cast<std::uint8_t>(k / 256),
                                   static_cast<std::uint8_t>(k % 256), r_.smsConnections[k - 1]) != 1)
            return TransferFailure("Unable to upload SMS Connection # %d", k);
        Step();
    }
    SmsConnection after{};
    const int end = c + 1;
    if (NodeQuerySmsConnection(channel_, query::kSmsConnection, static_cast<std::uint8_t>(end / 256),
                               static_cast<std::uint8_t>(end % 256), after) != 0)
        return TransferFailure("Unable to confirm end of list of (%d) SMS Connections", c);
    return {};
}

Report Receiver::Run()
{
    if (!ReadNodeVersion(channel_, version_)) return Fail("Unable to read Connected Node's Version Number");
    tableSizes_ = CompareVersions(version_, kVersionTableSizes) >= 0;
    const bool scheduler = CompareVersions(version_, kVersionTaskScheduler) >= 0;
    if (scheduler) {
        progress_.Set(kProgressScheduler, 1);
        schedulerRaised_ = true;
        if (NodeCommandU8(channel_, command::kTaskScheduler, 1) < 0)
            return Fail("Unable to set Node's Task Scheduler to favor MHP Communications");
    }
    if (tableSizes_)
        if (Report r = PlanTotal(); !r.ok()) return r;

    std::memset(&r_, 0, sizeof r_);
    progress_.Items(kProgressReceiving, done_, total_);
    if (Report r = NetworkParameters(); !r.ok()) return r;
    LowPowerAndHighway();
    if (Report r = Connections(); !r.ok()) return r;
    if (Report r = Routes(0, r_.primaryRoutes, r_.primaryRouteCount,
                          "Unable to upload entry # %d from Primary Routing Table");
        !r.ok())
        return r;
    if (Report r = Routes(1, r_.secondaryRoutes, r_.secondaryRouteCount,
                          "Unable to upload entry # %d from Secondary Routing Table");
        !r.ok())
        return r;
    if (Report r = Dialup(); !r.ok()) return r;
    if (Report r = Sms(); !r.ok()) return r;

    if (scheduler) {
        progress_.Set(kProgressScheduler, 0);
        const bool restored = RestoreTaskScheduler(channel_);
        if (restored || !channel_.Stopped()) schedulerRaised_ = false; // tried, unless a stop cut it short
        if (!restored) return Fail("Unable to restore priorities of Node's Task Scheduler");
    }
    return {};
}

} // namespace

Report ReceiveFromNode(NodeChannel& channel, NodeConf& record, ProgressSink& progress, std::stop_token stop)
{
    StopScope scope(channel, std::move(stop));
    TransferProgress sink(progress);
    Receiver receiver(channel, record, sink);
    Report result = receiver.Run();
    return EndTransfer(channel, std::move(result), receiver.SchedulerRaised(), kUploadFailed, sink);
}

} // namespace mnm
