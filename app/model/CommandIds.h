// The command identifiers of the main menu bar and the command messages
// other parts post to the frame.
#pragma once

namespace mnm::app {

inline constexpr int kCmdNew = 2104;
inline constexpr int kCmdOpen = 2105;
inline constexpr int kCmdClose = 2101;
inline constexpr int kCmdSave = 2107;
inline constexpr int kCmdSaveAs = 2108;
inline constexpr int kCmdReceive = 2109;
inline constexpr int kCmdSend = 2102;
inline constexpr int kCmdCompare = 2113;
inline constexpr int kCmdResume = 2106;
inline constexpr int kCmdVerify = 2110;
inline constexpr int kCmdExit = 2103;
inline constexpr int kCmdMonitor = 2111;
inline constexpr int kCmdTest = 2117;
inline constexpr int kCmdEngineering = 2112;
inline constexpr int kCmdPicture = 2119;
inline constexpr int kCmdStatusIndicator = 2118;

// Recent file n is kCmdRecentFileBase + n (1 .. the list's size).
inline constexpr int kCmdRecentFileBase = 2500;
inline constexpr int kCmdRecentFileLast = 2598;
// Ports: the listed ports from kCmdPortFirst on, "[None]" last.
inline constexpr int kCmdPortFirst = 2200;
inline constexpr int kCmdPortLast = 2298;
inline constexpr int kCmdPortNone = 2299;

// Posted to the frame.
inline constexpr int kMsgLiveData = 8501;
inline constexpr int kMsgMonitorReading = 8502;
inline constexpr int kMsgReceiveEnded = 8503;
inline constexpr int kMsgSendEnded = 8504;
inline constexpr int kMsgNodeDataRead = 8505;
inline constexpr int kMsgCompareReceived = 8506; // the receive of Compare with Node ended
inline constexpr int kMsgConfigurationChanged = 8601;
inline constexpr int kMsgFileDropped = 8701;

} // namespace mnm::app
