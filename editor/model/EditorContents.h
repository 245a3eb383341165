// Everything the editor's controls hold, as one plain value: the desktop
// editor only moves its widgets to and from it, and every page rule and the
// record transfer work on it.
#pragma once

#include "editor/model/AlertList.h"
#include "editor/model/ConnectionList.h"
#include "editor/model/DialupList.h"
#include "editor/model/PagedEdit.h"
#include "editor/model/RoutingList.h"

#include <string>

namespace mnm::editor {

enum class Parity { Even, Odd, Mark, Space };

struct EditorContents {
    // Hardware and low-power boxes.
    bool uhfRadio = false;
    bool dialupModem = false;
    bool leasedLineModem = false;
    bool lowPowerTransmitter = false;
    bool lowPowerReceiver = false;

    // Network texts.
    std::string networkName, nodeNumber, channel, transmitPower;
    std::string transmitInterval, maxRetries, alarmDelay, preTransmitOnTime;
    // Above 0 while the field is still filled in from the Transmit Interval.
    int intervalCounter = 1;
    int alarmCounter = 1;

    // Modbus.
    bool rtu = false;
    bool sevenBit = false;
    Parity parity = Parity::Even;
    bool checkParity = true;

    ConnectionList connections;
    RoutingList primaryRoutes, secondaryRoutes;

    PagedEdit smsMessages{kSmsMessageSlots, kSmsMessageLength};
    PagedEdit smsNumbers{kSmsNumberSlots, kSmsNumberLength};
    AlertList alerts;

    std::string redialAttempts, redialInterval;
    PagedEdit dialupNumbers{kDialupNumberSlots, kDialupNumberLength};
    DialupList dialups;

    bool operator==(const EditorContents&) const = default;
};

// "New": every page emptied, the counters back to 1.
void Reset(EditorContents& e);

} // namespace mnm::editor
