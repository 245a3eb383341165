// The dialup page's "+" button: from the page's inputs to one dialup
// connection, or the one message that says why not.
#pragma once

#include "nodeconf/NodeConf.h"
#include "nodeconf/Report.h"

#include <string>

namespace mnm {

// List positions count from 0; -1 means nothing is selected.
struct DialupInput {
    int route = 0;            // 0 Primary, 1 Secondary
    int direction = 0;        // 0 Input, 1 Output: the local point's direction
    std::string local;        // "a1.2"
    std::string remote;       // "12A3.4"
    bool leasedLine = false;  // the Leased Line Modem box
    int telephonePage = 1;    // the telephone editor's current page, 1..32
    bool intervalTicked = false;
    std::string interval;     // minutes, or hours H minutes ("1h30")
    bool changeTicked = false;
    std::string threshold;    // percent (analog) or pulse count
    std::string maxPpm;       // pulse to analog only
    bool offset4mA = false;   // pulse to analog only
};

// An ok report with the entry in out, or a report carrying the message.
Report BuildDialupConnection(const DialupInput& in, DialupConnection& out);

} // namespace mnm
