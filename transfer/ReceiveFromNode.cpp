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
    Receiver(NodeChannel& channel, NodeConf& r, std::string& message, TransferProgress& progress)
        : channel_(channel), r_(r), message_(message), progress_(progress)
    {
    }
    int Run();
    // True from the request that raises the node's task scheduler until it
    // is restored.
    bool SchedulerRaised() const { return schedulerRaised_; }

private:
    int PlanTotal();
    int NetworkParameters();
    void LowPowerAndHighway();
    int Connections();
    int Routes(std::uint8_t table, RouteEntry* entries, std::int32_t& count, const char* failure);
    int Dialup();
    int DialupNumbers();
    int Sms();
    int SmsNumbers(int t);
    int SmsConnections(int c);
    void Step() { progress_.Items(kProgressReceiving, ++done_, total_); }
    int Fail(const char* text) { return TransferFailure(message_, "%s", text); }

    NodeChannel& channel_;
    NodeConf& r_;
    std::string& message_;
    TransferProgress& progress_;
    char version_[kVersionTextLength + 1] = {};
    bool tableSizes_ = false;
    bool schedulerRaised_ = false;
    int done_ = 0;
    int total_ = kFixedItems;
};

int Receiver::PlanTotal()
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
    return 0;
}

int Receiver::NetworkParameters()
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
    return 0;
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

    r_.highwayEncoding = 0x00;
    r_.highwayCharSize = 0x08;
    r_.highwayParity = 'S';
    r_.highwayCheckParity = 0x00;
    std::uint32_t highway = 0;
    if (NodeQueryU32Retry(channel_, query::kHighway, 0, 0, kOptionalAttempts, highway)) {
        r_.highwayEncoding = static_cast<char>(highway >> 24);
        r_.highwayCharSize = static_cast<std::uint8_t>(highway >> 16);
        r_.highwayParity = static_cast<char>(highway >> 8);
        r_.highwayCheckParity = static_cast<std::uint8_t>(highway);
    }
}

int Receiver::Connections()
{
    int i = 0;
    for (; i < kMaxConnections; ++i) {
        const int rc = NodeQueryConnection(channel_, query::kConnection, static_cast<std::uint8_t>(i / 256),
                                           static_cast<std::uint8_t>(i % 256), r_.connections[i]);
        if (rc == 1) break;
        if (rc != 0) return TransferFailure(message_, "Unable to upload Connection # %d", i + 1);
        Step();
    }
    r_.connectionCount = i;
    return 0;
}

int Receiver::Routes(std::uint8_t table, RouteEntry* entries, std::int32_t& count, const char* failure)
{
    int i = 0;
    for (; i < kMaxRoutes; ++i) {
        std::uint32_t entry = 0;
        // The index is one byte, so the 256th request carries 0.
        const int rc = NodeQueryOptionalU32(channel_, query::kRoute, table, static_cast<std::uint8_t>(i + 1), entry);
        if (rc == 1) break;
        if (rc != 0) return TransferFailure(message_, failure, i + 1);
        entries[i] = entry;
        Step();
    }
    count = i;
    return 0;
}

int Receiver::Dialup()
{
    DialupConnection entry{};
    if (NodeQueryDialupConnection(channel_, query::kDialupConnection, 1, 0, entry) < 0) return 0; // no dialup
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
        if (rc < 0) return TransferFailure(message_, "Unable to upload Dialup Connection # %d", i);
        if (i > kMaxDialupConnections)
            return TransferFailure(message_, "Uploaded a Dialup Connection # %d, but can only accommodate %d", i,
                                   kMaxDialupConnections);
        r_.dialupConnections[i - 1] = entry;
        Step();
    }
    return DialupNumbers();
}

int Receiver::DialupNumbers()
{
    for (int i = 1;; ++i) {
        char text[kDialupNumberReadLength + 1];
        int declared = 0;
        const int length = NodeQueryCountedText(channel_, query::kDialupNumber, static_cast<std::uint8_t>(i), 0, text,
                                                kDialupNumberReadLength, declared);
        if (length < 0)
            return TransferFailure(message_, "Unable to upload Dialup Connection Telephone Number # %d", i);
        if (declared < 0) {
            r_.dialupNumberCount = i - 1;
            return 0;
        }
        // The record has no room for more; nothing is stored beyond it.
        if (i > kDialupNumberSlots)
            return TransferFailure(message_, "Dialup Connection Telephone Number #%d is beyond the maximum of %d", i,
                                   kDialupNumberSlots);
        if (length != declared)
            return TransferFailure(message_, "Dialup Connection Telephone Number #%d is wrong length (%d vs. %d)", i,
                                   declared, length);
        if (length > kDialupNumberLength)
            return TransferFailure(message_, "Dialup Connection Telephone Number #%d is too long enough (%d vs %d)",
                                   i, length, kDialupNumberLength);
        std::memcpy(r_.dialupNumbers[i - 1], text, static_cast<std::size_t>(length) + 1);
        Step();
    }
}

int Receiver::Sms()
{
    SmsTableSizes sizes{};
    if (NodeQuerySmsTableSizes(channel_, sizes) != 0) return 0; // no SMS
    const int c = sizes.connections, t = sizes.numbers, m = sizes.messages;
    if (m > kSmsMessageSlots)
        return TransferFailure(message_, "There are %d SMS Messages,\nbut the maximum is %d.", m, kSmsMessageSlots);
    r_.smsMessageCount = m;
    for (int k = 1; k <= m; ++k) {
        if (!ReadSmsMessage(channel_, k, r_.smsMessages[k - 1], kSmsMessageLength))
            return TransferFailure(message_, "Unable to read SMS Message %d", k);
        Step();
    }
    if (const int rc = SmsNumbers(t)) return rc;
    return SmsConnections(c);
}

int Receiver::SmsNumbers(int t)
{
    if (t > kSmsNumberSlots)
        return TransferFailure(message_, "There are %d SMS Telephone Numbers,\nbut the maximum is %d.", t,
                               kSmsNumberSlots);
    r_.smsNumberCount = t;
    for (int k = 1; k <= t; ++k) {
        int declared = 0;
        const int length = NodeQueryCountedText(channel_, query::kSmsNumber, static_cast<std::uint8_t>(k / 256),
                                                static_cast<std::uint8_t>(k % 256), r_.smsNumbers[k - 1],
                                                kSmsNumberLength, declared);
        if (length < 0) return TransferFailure(message_, "Unable to get SMS Telephone Number # %d (of %d)", k, t);
        if (declared < 0)
            return TransferFailure(message_, "SMS Telephone Number # %d is beyond end of list (of %d)!", k, t);
        if (length != declared)
            return TransferFailure(message_, "SMS Telephone Number # %d got truncated from %d to %d", k, declared,
                                   length);
        Step();
    }
    char probe[2];
    int declared = 0;
    if (NodeQueryCountedText(channel_, query::kSmsNumber, 0, static_cast<std::uint8_t>(t + 1), probe, 1, declared) != 0 ||
        declared >= 0)
        return TransferFailure(message_, "Unable to confirm end of list of (%d) SMS Telephone Numbers", t);
    return 0;
}

int Receiver::SmsConnections(int c)
{
    r_.smsConnectionCount = c;
    if (c > kMaxSmsConnections)
        return TransferFailure(message_, "There are %d SMS Connections, but the maximum is %d.", c,
                               kMaxSmsConnections);
    for (int k = 1; k <= c; ++k) {
        if (NodeQuerySmsConnection(channel_, query::kSmsConnection, static_cast<std::uint8_t>(k / 256),
                                   static_cast<std::uint8_t>(k % 256), r_.smsConnections[k - 1]) != 1)
            return TransferFailure(message_, "Unable to upload SMS Connection # %d", k);
        Step();
    }
    SmsConnection after{};
    const int end = c + 1;
    if (NodeQuerySmsConnection(channel_, query::kSmsConnection, static_cast<std::uint8_t>(end / 256),
                               static_cast<std::uint8_t>(end % 256), after) != 0)
        return TransferFailure(message_, "Unable to confirm end of list of (%d) SMS Connections", c);
    return 0;
}

int Receiver::Run()
{
    message_.clear();
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
        if (const int rc = PlanTotal()) return rc;

    message_.clear();
    std::memset(&r_, 0, sizeof r_);
    progress_.Items(kProgressReceiving, done_, total_);
    if (const int rc = NetworkParameters()) return rc;
    LowPowerAndHighway();
    if (const int rc = Connections()) return rc;
    if (const int rc = Routes(0, r_.primaryRoutes, r_.primaryRouteCount,
                              "Unable to upload entry # %d from Primary Routing Table"))
        return rc;
    if (const int rc = Routes(1, r_.secondaryRoutes, r_.secondaryRouteCount,
                              "Unable to upload entry # %d from Secondary Routing Table"))
        return rc;
    if (const int rc = Dialup()) return rc;
    if (const int rc = Sms()) return rc;

    if (scheduler) {
        progress_.Set(kProgressScheduler, 0);
        if (!RestoreTaskScheduler(channel_)) return Fail("Unable to restore priorities of Node's Task Scheduler");
        schedulerRaised_ = false;
    }
    return 0;
}

} // namespace

int ReceiveFromNode(NodeChannel& channel, NodeConf& record, std::string& message, ProgressSink& progress,
                    std::stop_token stop)
{
    StopScope scope(channel, std::move(stop));
    TransferProgress sink(progress);
    Receiver receiver(channel, record, message, sink);
    const int rc = receiver.Run();
    return EndTransfer(channel, rc, receiver.SchedulerRaised(), kUploadFailed, message, sink);
}

} // namespace mnm
