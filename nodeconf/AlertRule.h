// The alerts page's Add button: from the page's inputs to one alert.
#pragma once

#include "nodeconf/NodeConf.h"

#include <string>

namespace mnm {

// List positions count from 0; -1 means nothing is selected.
struct AlertInput {
    std::string endpoint;       // local endpoint, "a1.2"
    int direction = -1;         // 0 Input, 1 Output
    int digitalCondition = -1;  // "changes state", "turns ON", "turns OFF"
    // "changes by", "increases by", "decreases by", "goes over", "goes under"
    int analogCondition = -1;
    int unit = -1;              // "mA", "V", "% FSD", "/4096"
    std::string limit;          // decimal, in the unit
    std::string hysteresis;     // read for "goes over" and "goes under" only
    int messagePage = 0;        // 1..32
    int telephonePage = 0;      // 1..32
};

// 0 with the alert, or the first fault's code (out is left alone). -11 (no
// digital condition), -12 (a pulse point), -13 (message or telephone page),
// -14 (no unit) and -15 (no analog condition) have no catalogue text.
int BuildAlert(const AlertInput& in, SmsConnection& out);

} // namespace mnm
