// Writing a configuration into a node: first everything the node must be
// able to take is checked, then the parameters and tables are written in a
// fixed order, then committed to flash. Any failure stops at once; the
// operator sends again.
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

// The routing steps' failures have no catalogue text: they show as
// "Unknown Error" with the code, which tells the steps apart.
constexpr int kErrClearRoutes = -9902;
constexpr int kErrPrimaryRoute = -9903;
constexpr int kErrSecondaryRoute = -9904;

constexpr int kSendVersionLength = 100;
constexpr int kProbeAttempts = 3;
constexpr int kWriteAttempts = 4;
constexpr int kTableAttempts = 10;
constexpr std::chrono::milliseconds kWipePause{1};
constexpr int kFixedCommits = 4;

// Serial data highway state.
constexpr int kHighwayNone = 0;
constexpr int kHighwayDirect = 1;
constexpr int kHighwayThroughFlash = 9;

struct HighwayBytes {
    char encoding;
    std::uint8_t charSize;
    char parity;
    std::uint8_t checkParity;
};

// What a record may hold for a node without a serial data highway: the value
// a receive from such a node gives, that value after a pass through the
// editor, and the editor's defaults for a new configuration. Anything else
// is a highway the node cannot take.
constexpr HighwayBytes kNoHighwayValues[] = {
    {kNoHighwayEncoding, kNoHighwayCharSize, kNoHighwayParity, kNoHighwayCheckParity},
    {'A', 8, 'S', 0},
    {'A', 8, 'E', 1},
};

class Sender {
public:
    Sender(NodeChannel& channel, NodeConf& r, SendOptions options, TransferProgress& progress)
        : channel_(channel), r_(r), options_(options), progress_(progress)
    {
    }
    Report Run();
    // True from the request that raises the node's task scheduler until it
    // is restored.
    bool SchedulerRaised() const { return schedulerRaised_; }

private:
    Report Checks();
    Report EmptyValues();
    Report NetworkFlags();
    Report SmsCapacities();
    Report NetworkParameters();
    Report Highway();
    Report LowPower();
    Report Dialup();
    Report Sms();
    Report Connections();
    Report Routes();
    Report Commit();
    Report RestoreScheduler();
    void Step() { progress_.Items(kProgressSending, ++done_, total_); }
    Report Fail(const char* text) { return TransferFailure("%s", text); }

    NodeChannel& channel_;
    NodeConf& r_;
    SendOptions options_;
    TransferProgress& progress_;
    char version_[kSendVersionLength + 1] = {};
    bool schedulerRaised_ = false;
    bool absentValues_ = false;
    bool tableSizes_ = false;
    bool scheduler_ = false;
    bool smsSupported_ = false;
    bool highwaySupported_ = false;
    int highwayState_ = kHighwayNone;
    bool lowPowerWritten_ = false;
    int done_ = 0;
    int total_ = 0;
};

Report Sender::EmptyValues()
{
    struct Item {
        std::int32_t NodeConf::*field;
        const char* format;
    };
    static constexpr Item kItems[] = {
        {&NodeConf::radioChannel, "%sChannel Number"},
        {&NodeConf::transmitPower, "%sTransmit Power"},
        {&NodeConf::transmitInterval, "%sTransmit Interval"},
        {&NodeConf::maxRetries, "%sMaximum Retries"},
    };
    std::string list;
    int count = 0;
    for (const Item& item : kItems) {
        if (!IsAbsent(r_.*item.field)) continue;
        char text[64];
        std::snprintf(text, sizeof text, item.format, count == 0 ? "" : ", ");
        list += text;
        ++count;
    }
    if (count == 1)
        return TransferFailure("The connected Node does not accept an empty value for the %s field.",
                               list.c_str());
    if (count > 1)
        return TransferFailure(
            "These items are empty:\n%s,\nbut the connected Node does not accept empty values for them",
            list.c_str());
    return {};
}

Report Sender::NetworkFlags()
{
    if (tableSizes_)
        return WriteNetworkFlags(channel_, r_.networkFlags) ? Report{} : Fail("Unable to download Network Flags");
    if (r_.networkFlags == 0) return {};
    return TransferFailure("The connected Node does not allow the usage of Network Flags%s",
                           (r_.networkFlags & kFlagNoRadio) ? ",\n specifically the non-fitting of a UHF Radio Module" : "");
}

Report Sender::SmsCapacities()
{
    SmsTableSizes v{};
    smsSupported_ = NodeQuerySmsTableSizes(channel_, v) == 0;
    const int s = r_.smsConnectionCount + r_.smsNumberCount + r_.smsMessageCount;
    if (s <= 0) return {};
    const bool tooMany = smsSupported_ && (r_.smsConnectionCount > v.maxConnections ||
                                           r_.smsMessageCount > v.maxMessages || r_.smsNumberCount > v.maxNumbers);
    if (smsSupported_ && !tooMany) {
        if (r_.smsMessageBytes > v.maxTextBytes)
            return TransferFailure(
                "The Message text takes up %d bytes, but\n the connected Node can only accommodate %d bytes",
                r_.smsMessageBytes, v.maxTextBytes);
        return {};
    }
    std::string text = s == 1 ? "This SMS parameter has been defined:\n\n" : "These SMS parameters have been defined:\n\n";
    const std::pair<int, const char*> lines[] = {
        {r_.smsConnectionCount, "%d SMS Connection%s,\n"},
        {r_.smsMessageCount, "%d Message%s,\n"},
        {r_.smsNumberCount, "%d Telephone Number%s,\n"},
    };
    for (const auto& [count, format] : lines) {
        if (count == 0) continue;
        char line[64];
        std::snprintf(line, sizeof line, format, count, count > 1 ? "s" : "");
        text += line;
    }
    text.replace(text.size() - 2, 2, ".\n\n");
    if (!smsSupported_) return TransferFailure("%sHowever, the connected Node does not support SMS's.\n", text.c_str());
    return TransferFailure(
        "%sHowever, the connected Node only supports these maxima:\n %d SMS Connections, %d Messages, "
        "%d Characters per Message, %d Telephone Numbers, %d Total Text",
        text.c_str(), v.maxConnections, v.maxMessages, v.maxMessageLength, v.maxNumbers,
        v.maxTextBytes);
}

Report Sender::Checks()
{
    progress_.Items(kProgressSending, 0, total_);
    std::uint8_t reply[kReplyBufferSize];
    if (NodeQuery(channel_, query::kStatusBlock, 0, 0, reply) < 0) return Fail("Node appears not to be connected");
    if (NodeQueryBytes(channel_, query::kVersion, 0, 0, 0, kSendVersionLength, reinterpret_cast<std::uint8_t*>(version_)) < 0)
        return Fail("Unable to read connected Node's Software Version Number");
    scheduler_ = CompareVersions(version_, kVersionTaskScheduler) >= 0;
    absentValues_ = CompareVersions(version_, kVersionAbsentValues) >= 0;
    tableSizes_ = CompareVersions(version_, kVersionTableSizes) >= 0;
    if (!absentValues_)
        if (Report r = EmptyValues(); !r.ok()) return r;
    if (scheduler_) {
        progress_.Set(kProgressScheduler, 1);
        schedulerRaised_ = true;
        if (NodeCommandU8(channel_, command::kTaskScheduler, 1) < 0)
            return Fail("Unable to set Node's Task Scheduler to favor MHP Communications");
    }
    if (Report r = NetworkFlags(); !r.ok()) return r;
    if (Report r = SmsCapacities(); !r.ok()) return r;
    std::uint32_t highest = 0;
    if (const int rc = NodeQueryU8(channel_, query::kHighestChannel, 0, 0, highest)) return {rc};
    if (!IsAbsent(r_.radioChannel) && static_cast<std::uint32_t>(r_.radioChannel) > highest)
        return {kChannelNotSupported};
    return {};
}

Report Sender::NetworkParameters()
{
    if (const int rc = NodeCommandU16(channel_, command::kRadioChannel, r_.radioChannel & 0xFFFF); rc < 0) return {rc};
    std::uint32_t probe = 0;
    highwaySupported_ = NodeQueryU32Retry(channel_, query::kHighway, 0, 0, kProbeAttempts, probe);
    r_.networkName[sizeof r_.networkName - 1] = '\0';
    if (const int rc = NodeCommandText(channel_, command::kNetworkName, r_.networkName); rc < 0) return {rc};
    if (const int rc = NodeCommandU16(channel_, command::kNodeNumber, r_.nodeNumber); rc < 0) return {rc};
    if (const int rc = NodeCommandU16(channel_, command::kTransmitPower, r_.transmitPower & 0xFFFF); rc < 0) return {rc};
    const int retries = NodeCommandU32(channel_, command::kMaxRetries, static_cast<std::uint32_t>(r_.maxRetries));
    if (retries < 0) return {retries};
    if (retries > kStatusAccepted) return {kDownloadFailed};
    if (const int rc = NodeCommandU32(channel_, command::kTransmitInterval, static_cast<std::uint32_t>(r_.transmitInterval)); rc < 0)
        return {rc};
    if (const int rc = NodeCommandU32(channel_, command::kAlarmDelay, static_cast<std::uint32_t>(r_.alarmDelay)); rc < 0) return {rc};
    return {};
}

Report Sender::Highway()
{
    if (!highwaySupported_) {
        for (const HighwayBytes& h : kNoHighwayValues)
            if (r_.highwayEncoding == h.encoding && r_.highwayCharSize == h.charSize &&
                r_.highwayParity == h.parity && r_.highwayCheckParity == h.checkParity)
                return {};
        return {kHighwayNotSupported};
    }
    const std::uint8_t bytes[4] = {
        static_cast<std::uint8_t>(HighwayEncodingSent(r_)),
        r_.highwayCharSize, static_cast<std::uint8_t>(r_.highwayParity), r_.highwayCheckParity};
    for (int attempt = 0; attempt < kWriteAttempts; ++attempt) {
        if (NodeCommand(channel_, command::kHighway, bytes, sizeof bytes) == kStatusAccepted) {
            highwayState_ = kHighwayDirect;
            return {};
        }
    }
    highwayState_ = kHighwayThroughFlash;
    for (int attempt = 0; attempt < kWriteAttempts; ++attempt)
        if (NodeFlashCommand(channel_, command::kHighwayToFlash, bytes, sizeof bytes) == kFlashWritten) return {};
    return {kHighwayNotSupported};
}

Report Sender::LowPower()
{
    for (int attempt = 0; attempt < kWriteAttempts && !lowPowerWritten_; ++attempt)
        lowPowerWritten_ =
            NodeCommandU32(channel_, command::kLowPowerReceiver, static_cast<std::uint32_t>(r_.lowPowerReceiver)) >= 0 &&
            NodeCommandU32(channel_, command::kPreTransmitOnTime, static_cast<std::uint32_t>(r_.preTransmitOnTime)) >= 0;
    if (!lowPowerWritten_ && (!IsAbsent(r_.lowPowerReceiver) || !IsAbsent(r_.preTransmitOnTime)))
        return {kLowPowerNotSupported};
    return {};
}

// A text of a table, cut to the table's width.
std::string Cut(const char* text, int width) { return std::string(text, strnlen(text, static_cast<std::size_t>(width))); }

Report Sender::Dialup()
{
    std::uint8_t redial[20];
    PutU32(redial, static_cast<std::uint32_t>(r_.redialAttempts));
    PutU32(redial + 4, static_cast<std::uint32_t>(r_.redialInterval));
    std::memset(redial + 8, 0xFF, 12);
    if (NodeCommandRetry(channel_, command::kRedialParameters, redial, sizeof redial, kTableAttempts) < 0)
        return Fail("Unable to set Dialup Connections' Redial Parameters");
    if (!WriteDialupConnection(channel_, -1, DialupConnection{}))
        return Fail("Unable to Initialise Dialup Connection Table on Target Node");
    for (int i = 1; i <= r_.dialupConnectionCount; ++i) {
        if (i > kMaxDialupConnections)
            return TransferFailure(
                "(Internal Error)\nThere are %d Dialup Connections to download, but there should only be a maximum of %d.",
                i, kMaxDialupConnections);
        Step();
        if (!WriteDialupConnection(channel_, i, r_.dialupConnections[i - 1]))
            return TransferFailure("Unable to download Dialup Connection #%d (of %d)", i,
                                   r_.dialupConnectionCount);
    }
    for (int i = 1; i <= r_.dialupNumberCount && i <= kDialupNumberSlots; ++i) {
        Step();
        const std::string number = Cut(r_.dialupNumbers[i - 1], kDialupNumberLength);
        if (NodeCommandIndexedTextRetry(channel_, command::kDialupNumber, i, number.c_str(), kTableAttempts) != kStatusAccepted)
            return TransferFailure("Unable to download Dialup Connection Telephone Number # %d (of %d)", i,
                                   r_.dialupNumberCount);
    }
    return {};
}

Report Sender::Sms()
{
    if (!smsSupported_) return {};
    if (!WriteSmsConnection(channel_, -1, SmsConnection{})) return {kSmsConnectionsDownloadFailed};
    for (int m = 1; m <= r_.smsMessageCount && m <= kSmsMessageSlots; ++m) {
        Step();
        const std::string text = Cut(r_.smsMessages[m - 1], kSmsMessageLength);
        // At least one segment, so that an empty message is sent too.
        for (std::size_t j = 0; j == 0 || j * kSmsSegmentLength < text.size(); ++j) {
            const std::string segment = text.substr(std::min(text.size(), j * kSmsSegmentLength), kSmsSegmentLength);
            if (NodeCommandIndexedTextRetry(channel_, command::kSmsMessageSegment, static_cast<int>(j * 256 + m),
                                            segment.c_str(), kTableAttempts) != kStatusAccepted)
                return {kSmsMessagesDownloadFailed};
        }
    }
    for (int k = 1; k <= r_.smsNumberCount && k <= kSmsNumberSlots; ++k) {
        Step();
        const std::string number = Cut(r_.smsNumbers[k - 1], kSmsNumberLength);
        if (NodeCommandIndexedTextRetry(channel_, command::kSmsNumber, k, number.c_str(), kTableAttempts) != kStatusAccepted)
            return TransferFailure("Unable to download SMS Telephone Number # %d", k);
    }
    for (int k = 1; k <= r_.smsConnectionCount && k <= kMaxSmsConnections; ++k) {
        Step();
        if (!WriteSmsConnection(channel_, k, r_.smsConnections[k - 1]))
            return TransferFailure("Unable to download SMS # %d", k);
    }
    return {};
}

// Sorted by destination node, table order within a node. Node 0 (this node)
// comes first: it is what every output without a node number addresses.
Report Sender::Connections()
{
    if (!WriteConnection(channel_, -1, Connection{})) return Fail("Unable to download Connection Table");
    int sent = 0;
    for (const int i : ConnectionSendOrder(r_)) {
        Step();
        if (!WriteConnection(channel_, sent, r_.connections[i]))
            return TransferFailure("Unable to download Connection #%d (of %d)", sent, r_.connectionCount);
        ++sent;
    }
    if (sent != r_.connectionCount) return Fail("(Internal Error)\nUnable to sort Connections");
    return {};
}

Report Sender::Routes()
{
    if (NodeCommand(channel_, command::kRoute, nullptr, 0) < 0) return {kErrClearRoutes};
    for (int i = 0; i < r_.primaryRouteCount && i < kMaxRoutes; ++i) {
        Step();
        if (NodeCommandIndexedU32(channel_, command::kRoute, i + 1, r_.primaryRoutes[i]) < 0) return {kErrPrimaryRoute};
    }
    for (int i = 0; i < r_.secondaryRouteCount && i < kMaxRoutes; ++i) {
        Step();
        if (NodeCommandIndexedU32(channel_, command::kRoute, i + kSecondaryRouteBase + 1, r_.secondaryRoutes[i]) < 0)
            return {kErrSecondaryRoute};
    }
    return {};
}

Report Sender::Commit()
{
    if (tableSizes_) {
        bool wiped = false;
        for (int attempt = 0; attempt < kWriteAttempts && !wiped; ++attempt) {
            progress_.Set(kProgressWiping, 0);
            wiped = NodeFlashCommand(channel_, command::kWipeFlash, nullptr, 0) == kFlashWritten;
            if (!wiped && !channel_.Pause(kWipePause)) return {kTransportCancelled};
        }
        if (!wiped) return Fail("Unable to wipe the Flash before committing\nnewly-downloaded parameters to it.");
    }
    struct Step {
        std::uint8_t code;
        int failureLimit;
        bool when;
        const char* failure;
    };
    const Step steps[] = {
        {command::kCommitRoutes, -1, true, "Unable to commit Routing Tables to Flash"},
        {command::kCommitRadio, -1, true, "Unable to commit Radio Parameters Tables to Flash"},
        {command::kCommitNetwork, -1, true, "Unable to commit Network Parameters to Flash"},
        {command::kCommitConnections, 2 * r_.connectionCount + 10, true, "Unable to commit Connection Table to Flash"},
        {command::kCommitHighway, -1, highwayState_ == kHighwayDirect,
         "Unable to commit Serial Data Highway Parameters to Flash"},
        {command::kCommitLowPower, -1, lowPowerWritten_, "Unable to commit Low Power Parameters to Flash"},
        {command::kCommitSms, 2 * r_.smsConnectionCount + 10, smsSupported_, "Unable to commit SMS Messages to Flash"},
        {command::kCommitDialup, 2 * r_.dialupConnectionCount + 10, true, "Unable to commit Dialup Connections to Flash"},
    };
    int planned = kFixedCommits + (lowPowerWritten_ ? 1 : 0) + (highwayState_ == kHighwayDirect ? 1 : 0) +
                  (smsSupported_ ? 1 : 0) + 1;
    int committed = 0;
    progress_.Set(kProgressCommitting, static_cast<std::uint32_t>(planned));
    for (const Step& s : steps) {
        if (!s.when) continue;
        if (NodeFlashCommand(channel_, s.code, nullptr, 0, s.failureLimit) != kFlashWritten) return Fail(s.failure);
        ++committed;
        progress_.Set(kProgressCommitting, static_cast<std::uint32_t>(committed << 8 | planned));
    }
    return {};
}

Report Sender::RestoreScheduler()
{
    progress_.Set(kProgressScheduler, 0);
    const bool restored = RestoreTaskScheduler(channel_);
    // Tried already, unless a stop cut the attempts short: then the end of
    // the transfer tries once more, whatever the stop says.
    if (restored || !channel_.Stopped()) schedulerRaised_ = false;
    return restored ? Report{} : Fail(kPowerCycleText);
}

Report Sender::Run()
{
    total_ = r_.connectionCount + r_.primaryRouteCount + r_.secondaryRouteCount + r_.smsConnectionCount +
             r_.smsNumberCount + r_.smsMessageCount + r_.dialupNumberCount + r_.dialupConnectionCount;
    Report (Sender::*const phases[])() = {&Sender::Checks, &Sender::NetworkParameters, &Sender::Highway,
                                          &Sender::LowPower, &Sender::Dialup,          &Sender::Sms,
                                          &Sender::Connections, &Sender::Routes};
    for (auto phase : phases)
        if (Report r = (this->*phase)(); !r.ok()) return r;
    if (options_.commit)
        if (Report r = Commit(); !r.ok()) return r;
    if (scheduler_)
        if (Report r = RestoreScheduler(); !r.ok()) return r;
    return {};
}

} // namespace

Report SendToNode(NodeChannel& channel, const NodeConf& record, SendOptions options, ProgressSink& progress,
                  std::stop_token stop)
{
    // Primary entries past the node's limit would be numbered as secondary
    // ones and come back in the wrong table: refused before anything is sent.
    if (record.primaryRouteCount > kSecondaryRouteBase)
        return TransferFailure("The Primary Routing Table has %d entries, but a Node holds at most %d",
                               static_cast<int>(record.primaryRouteCount), kSecondaryRouteBase);
    StopScope scope(channel, std::move(stop));
    TransferProgress sink(progress);
    NodeConf sent = record;
    Sender sender(channel, sent, options, sink);
    Report result = sender.Run();
    return EndTransfer(channel, std::move(result), sender.SchedulerRaised(), kDownloadFailed, sink);
}

} // namespace mnm
