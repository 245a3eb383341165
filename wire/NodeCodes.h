// Message types, query codes, command codes and acknowledgement statuses of
// the node protocol: the contract shared by the program and the virtual node.
#pragma once

#include <cstdint>

namespace mnm {

inline constexpr std::uint8_t kTypeQuery = 1;
inline constexpr std::uint8_t kTypeCommand = 2;
// Unsolicited node text: the link takes these frames itself; the text
// starts at this payload byte.
inline constexpr std::uint8_t kNodeTextType = 14;
inline constexpr int kNodeTextOffset = 5;

inline constexpr std::uint8_t kQueryRequest = 0;
inline constexpr std::uint8_t kQueryReply = 1;
inline constexpr int kQueryHeaderSize = 5;
inline constexpr int kCommandHeaderSize = 5;
inline constexpr int kAckSize = 4;
inline constexpr int kMaxQueryReplyData = 93;
inline constexpr int kMaxCommandData = 93;
// Command sequence numbers run 1..this and wrap to 1.
inline constexpr int kMaxSequenceNumber = 32766;
// The route command numbers primary entry k (from 1) as k and secondary
// entry k as this + k: a node holds at most this many primary routes.
inline constexpr int kSecondaryRouteBase = 128;
// The longest version text a node reports, and one SMS message segment.
inline constexpr int kVersionTextLength = 64;
inline constexpr int kSmsSegmentLength = 32;

// Acknowledgement statuses.
inline constexpr int kStatusRefused = 0;
inline constexpr int kStatusAccepted = 1;
inline constexpr int kStatusFlashStarted = 9;
// Query 121 answers.
inline constexpr int kFlashStillWriting = 3;
inline constexpr int kFlashWritten = 1;

namespace query {
inline constexpr std::uint8_t kNetworkFlags = 50;
inline constexpr std::uint8_t kRouteTableSize = 51;
inline constexpr std::uint8_t kConnectionCount = 52;
inline constexpr std::uint8_t kDialupConnectionCount = 53;
inline constexpr std::uint8_t kDialupNumberCount = 54;
inline constexpr std::uint8_t kHighestChannel = 66;
inline constexpr std::uint8_t kRadioChannel = 67;
inline constexpr std::uint8_t kNodeNumber = 68;
inline constexpr std::uint8_t kSerialNumber = 69;
inline constexpr std::uint8_t kCardNameCount = 72;
inline constexpr std::uint8_t kTransmitPower = 73;
inline constexpr std::uint8_t kPresentPower = 74;
inline constexpr std::uint8_t kChannelLayout = 75;
inline constexpr std::uint8_t kNetworkName = 77;
inline constexpr std::uint8_t kCardName = 78;
inline constexpr std::uint8_t kMemory = 80;
inline constexpr std::uint8_t kMonitorReading = 82;
inline constexpr std::uint8_t kRedialParameters = 83;
inline constexpr std::uint8_t kPresentChannel = 84;
inline constexpr std::uint8_t kDialupNumber = 85;
inline constexpr std::uint8_t kVersion = 86;
inline constexpr std::uint8_t kTransmitInterval = 87;
inline constexpr std::uint8_t kStatusBlock = 88;
inline constexpr std::uint8_t kMaxRetries = 89;
inline constexpr std::uint8_t kAlarmDelay = 90;
inline constexpr std::uint8_t kChannelGroup = 99;
inline constexpr std::uint8_t kSmsTableSizes = 101;
inline constexpr std::uint8_t kSmsMessageSegment = 104;
inline constexpr std::uint8_t kSmsNumber = 105;
inline constexpr std::uint8_t kSmsConnection = 106;
inline constexpr std::uint8_t kLiveValues = 108;
inline constexpr std::uint8_t kLowPowerReceiver = 109;
inline constexpr std::uint8_t kPreTransmitOnTime = 110;
inline constexpr std::uint8_t kDialupConnection = 112;
inline constexpr std::uint8_t kHighway = 114;
inline constexpr std::uint8_t kChannelName = 115;
inline constexpr std::uint8_t kConnection = 116;
inline constexpr std::uint8_t kRoute = 117;
inline constexpr std::uint8_t kFlashState = 121;
} // namespace query

namespace command {
inline constexpr std::uint8_t kWipeFlash = 49;
inline constexpr std::uint8_t kNetworkFlags = 50;
inline constexpr std::uint8_t kTaskScheduler = 57;
inline constexpr std::uint8_t kEngineering = 65;
inline constexpr std::uint8_t kRadioChannel = 67;
inline constexpr std::uint8_t kNodeNumber = 68;
inline constexpr std::uint8_t kEndpointControl = 69; // also the transmit/receive toggle
inline constexpr std::uint8_t kEndpointControlNode = 70;
inline constexpr std::uint8_t kRedialParameters = 71;
inline constexpr std::uint8_t kDialupConnection = 72;
inline constexpr std::uint8_t kDialupNumber = 73;
inline constexpr std::uint8_t kTransmitPower = 76;
inline constexpr std::uint8_t kNetworkName = 77;
inline constexpr std::uint8_t kSelectMonitor = 82;
inline constexpr std::uint8_t kTransmitInterval = 87;
inline constexpr std::uint8_t kMaxRetries = 89;
inline constexpr std::uint8_t kAlarmDelay = 90;
inline constexpr std::uint8_t kOnOff = 97;
inline constexpr std::uint8_t kSetChannel = 99;
inline constexpr std::uint8_t kCommitSms = 102;
inline constexpr std::uint8_t kSmsMessageSegment = 104;
inline constexpr std::uint8_t kSmsNumber = 105;
inline constexpr std::uint8_t kSmsConnection = 106;
inline constexpr std::uint8_t kSetPower = 108;
inline constexpr std::uint8_t kLowPowerReceiver = 109;
inline constexpr std::uint8_t kPreTransmitOnTime = 110;
inline constexpr std::uint8_t kCommitLowPower = 111;
inline constexpr std::uint8_t kCommitDialup = 112;
inline constexpr std::uint8_t kHighwayToFlash = 114;
inline constexpr std::uint8_t kHighway = 115;
inline constexpr std::uint8_t kConnection = 116;
inline constexpr std::uint8_t kRoute = 117;
inline constexpr std::uint8_t kCommitRoutes = 118;
inline constexpr std::uint8_t kCommitRadio = 119;
inline constexpr std::uint8_t kCommitNetwork = 120;
inline constexpr std::uint8_t kCommitConnections = 121;
inline constexpr std::uint8_t kCommitHighway = 122;
} // namespace command

// Toggle values of command 69 (4-byte form) and the status-block mode byte.
inline constexpr std::uint8_t kToggleOtherwise = 14;
inline constexpr std::uint8_t kToggleWhenReceiving = 16;
inline constexpr std::uint8_t kModeNetwork = 0;
inline constexpr std::uint8_t kModeCarrierReceive = 0x81;
inline constexpr std::uint8_t kModeCarrierTransmit = 0x82;
// Endpoint-control actions (the first of the command's values) and a value left unused.
inline constexpr std::uint16_t kControlRemoteCarrier = 10;
inline constexpr std::uint16_t kControlLocalCarrier = 14;
inline constexpr std::uint16_t kControlNetwork = 18;
inline constexpr std::uint16_t kControlNoValue = 65535;

inline constexpr int kStatusBlockSize = 64;
inline constexpr int kMonitorReadingSize = 16;
inline constexpr int kMemoryBlockSize = 64;
inline constexpr int kLiveValueCount = 256;
inline constexpr int kLiveGroupSize = 3;
// A live value no node reported.
inline constexpr std::uint16_t kNoLiveValue = 65535;

} // namespace mnm
