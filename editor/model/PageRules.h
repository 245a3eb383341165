// The enabling and visibility rules of the pages that depend only on the
// editor's contents, and the hardware box changes.
#pragma once

#include "editor/model/EditorContents.h"
#include "nodeconf/AlertRule.h"

#include <optional>
#include <string>
#include <vector>

namespace mnm::editor {

// Pages, numbered as the editor numbers them.
enum Page { kNetworkPage = 1, kConnectionsPage, kRoutingPage, kModbusPage, kSmsPage, kDialupPage };

struct Tab {
    int page;
    std::string text;
};
std::vector<Tab> TabSet(const EditorContents& e);
// After a rebuild: the index of the tab to select again, none when the page
// that was selected (by either of its texts) has no tab now.
std::optional<int> ReselectedTab(const std::vector<Tab>& tabs, const std::string& selectedText);

// The Network page's inputs.
struct NetworkEnabling {
    bool radioFields = false;     // channel, power, interval, retries, alarm labels
    bool preTransmit = false;
    bool transmitInterval = false;
    bool alarmDelay = false;
    bool stateChangesDetectable = false;
    bool helpText = false;        // while page 1 is current
    bool intervalMinutesLabel = false, alarmMinutesLabel = false; // while page 1 is current
};
NetworkEnabling NetworkRules(const EditorContents& e, bool networkPageCurrent);

// The parity buttons and Check Received Parity.
inline bool ParityEnabled(const EditorContents& e) { return e.sevenBit; }

// Leased Line or Dialup box clicked. Without question the boxes change at
// once; otherwise `question` holds the caption and text to ask, and
// ApplyModemChange with the answer finishes it.
struct ModemChange {
    bool ask = false;
    std::string caption, question;
};
ModemChange ClickModemBox(EditorContents& e, bool leasedLineBox);
void AnswerModemChange(EditorContents& e, bool leasedLineBox, bool yes);

// The alerts page from the endpoint edit and the analog condition list.
struct AlertPageRules {
    bool showDigitalConditions = false, showAnalogConditions = false;
    bool showUnits = false, showLimit = false, showHysteresis = false, showUnitsLabel = false;
    bool showResetWhenOver = false, showResetWhenUnder = false;
};
AlertPageRules AlertRulesFor(const std::string& endpoint, int analogCondition);

struct SmsCounters {
    int messagePage, telephonePage, characters;
};
SmsCounters Counters(const EditorContents& e);

// The alerts page's Add button: an empty text, or the message to show under
// the caption "Error Adding Alert" (the list is then unchanged).
std::string AddAlertFromControls(EditorContents& e, AlertInput in);

// The routing page: which list shows, the node edit and the Telephone text.
struct RoutingPageRules {
    bool showPrimary = false, showSecondary = false;
    bool nodeEditEnabled = false;
    bool telephoneChoiceEnabled = false; // a modem route needs a modem
    std::string telephoneChoiceText;
};
RoutingPageRules RoutingRulesFor(const EditorContents& e, bool routingPageShown, bool secondaryChosen,
                                 bool telephoneChosen);

// The telephone-number block shared by the routing and dialup pages.
struct TelephoneBlockRules {
    bool showLeasedLinePicture = false, leasedLinePictureEnabled = false;
    bool showTelephoneControls = false, telephoneControlsEnabled = false;
    int pageLabel = 1;
};
// `primaryChosen`: the dialup page's Primary/Secondary list; `telephoneChosen`:
// the routing page's choice.
TelephoneBlockRules TelephoneBlockRulesFor(const EditorContents& e, int currentPage, bool primaryChosen,
                                           bool telephoneChosen);

// The selected alert back into the page's inputs; false when it does not read.
bool CopyBackAlert(EditorContents& e, AlertInput& in);

} // namespace mnm::editor
