#include "editor/model/PageRules.h"

#include "nodeconf/ErrorCatalogue.h"

#include <cctype>
#include <cstdio>

namespace mnm::editor {

namespace {

constexpr const char* kLeasedLineQuestion =
    "There are entries in the Routing Tables\nand/or the Dialup Connection Table, that will\nbecome invalid if Leased "
    "Line is selected.\n\nDo you still want to select Leased Line operation,\nand delete those entries ?";
constexpr const char* kDialupQuestion =
    "There are entries in the Routing Tables\nand/or the Leased Line Connection Table, that will\nbecome invalid if "
    "Dialup Modem is selected.\n\nDo you still want to select Dialup Modem\noperation, and delete those entries ?";

bool NoUnitLetter(const std::string& text) { return text.find_first_of("hHmMsS") == std::string::npos; }

// What switching to that modem would invalidate.
RouteKind InvalidatedBy(bool leasedLine) { return leasedLine ? RouteKind::Telephone : RouteKind::LeasedLine; }

int Invalidated(const EditorContents& e, bool leasedLine)
{
    const RouteKind kind = InvalidatedBy(leasedLine);
    return CountRoutes(e.primaryRoutes, kind) + CountRoutes(e.secondaryRoutes, kind) +
           CountDialupsGoing(e.dialups, kind);
}

void Switch(EditorContents& e, bool leasedLine)
{
    e.leasedLineModem = leasedLine;
    e.dialupModem = !leasedLine;
}

} // namespace

std::vector<Tab> TabSet(const EditorContents& e)
{
    const bool u = e.uhfRadio, d = e.dialupModem, l = e.leasedLineModem;
    std::vector<Tab> tabs = {{kNetworkPage, "Network"}};
    if (u) tabs.push_back({kConnectionsPage, "Connections"});
    if (u) tabs.push_back({kRoutingPage, "Routing"});
    if (u && !d && !l) tabs.push_back({kModbusPage, "Modbus"});
    if (d) tabs.push_back({kSmsPage, "SMS"});
    if (d || l) tabs.push_back({kDialupPage, l ? "Leased Line" : "Dialup"});
    return tabs;
}

std::optional<int> ReselectedTab(const std::vector<Tab>& tabs, const std::string& selectedText)
{
    static const std::pair<const char*, int> kTexts[] = {{"Network", kNetworkPage}, {"Connections", kConnectionsPage},
                                                         {"Routing", kRoutingPage}, {"Modbus", kModbusPage},
                                                         {"SMS", kSmsPage},         {"Dialup", kDialupPage},
                                                         {"Leased Line", kDialupPage}};
    int page = 0;
    for (const auto& [text, p] : kTexts)
        if (selectedText == text) page = p;
    for (std::size_t i = 0; i < tabs.size(); ++i)
        if (page != 0 && tabs[i].page == page) return static_cast<int>(i);
    return std::nullopt;
}

NetworkEnabling NetworkRules(const EditorContents& e, bool networkPageCurrent)
{
    NetworkEnabling n;
    const bool u = e.uhfRadio;
    n.radioFields = u;
    n.preTransmit = u && e.lowPowerTransmitter;
    n.transmitInterval = u;
    n.alarmDelay = u && !e.lowPowerTransmitter && !e.lowPowerReceiver;
    n.stateChangesDetectable = !e.lowPowerTransmitter && !e.lowPowerReceiver;
    n.helpText = networkPageCurrent && u;
    n.intervalMinutesLabel = networkPageCurrent && NoUnitLetter(e.transmitInterval);
    n.alarmMinutesLabel = networkPageCurrent && NoUnitLetter(e.alarmDelay);
    return n;
}

ModemChange ClickModemBox(EditorContents& e, bool leasedLineBox)
{
    bool& box = leasedLineBox ? e.leasedLineModem : e.dialupModem;
    if (box) {
        box = false;
        return {};
    }
    if (Invalidated(e, leasedLineBox) == 0) {
        Switch(e, leasedLineBox);
        return {};
    }
    if (leasedLineBox) return {true, "Selecting Leased Line", kLeasedLineQuestion};
    return {true, "Selecting Dialup Modem", kDialupQuestion};
}

void AnswerModemChange(EditorContents& e, bool leasedLineBox, bool yes)
{
    if (!yes) return;
    const RouteKind kind = InvalidatedBy(leasedLineBox);
    RemoveRoutes(e.primaryRoutes, kind);
    RemoveRoutes(e.secondaryRoutes, kind);
    RemoveDialups(e.dialups, kind);
    Switch(e, leasedLineBox);
}

AlertPageRules AlertRulesFor(const std::string& endpoint, int analogCondition)
{
    constexpr int kGoesOver = 3, kGoesUnder = 4;
    AlertPageRules r;
    const char kind = endpoint.empty() ? '\0' : static_cast<char>(std::toupper(static_cast<unsigned char>(endpoint[0])));
    if (kind == 'A') {
        r.showAnalogConditions = r.showUnits = r.showLimit = true;
        r.showResetWhenOver = analogCondition == kGoesUnder;
        r.showResetWhenUnder = analogCondition == kGoesOver;
        r.showHysteresis = r.showUnitsLabel = analogCondition == kGoesOver || analogCondition == kGoesUnder;
    } else if (kind == 'D' || kind == 'S') {
        r.showDigitalConditions = true;
    }
    return r;
}

SmsCounters Counters(const EditorContents& e)
{
    return {e.smsMessages.CurrentPage(), e.smsNumbers.CurrentPage(), e.smsMessages.TotalLength()};
}

std::string AddAlertFromControls(EditorContents& e, AlertInput in)
{
    in.messagePage = e.smsMessages.CurrentPage();
    in.telephonePage = e.smsNumbers.CurrentPage();
    SmsConnection a;
    int code = BuildAlert(in, a);
    if (code == 0) code = AddAlert(e.alerts, a);
    return code == 0 ? "" : MessageForCode(code);
}

RoutingPageRules RoutingRulesFor(const EditorContents& e, bool routingPageShown, bool secondaryChosen,
                                 bool telephoneChosen)
{
    RoutingPageRules r;
    r.showPrimary = routingPageShown && !secondaryChosen;
    r.showSecondary = routingPageShown && secondaryChosen;
    r.nodeEditEnabled = !telephoneChosen;
    r.telephoneChoiceEnabled = e.dialupModem || e.leasedLineModem;
    r.telephoneChoiceText = e.leasedLineModem ? "&Leased Line" : "Tele&phone";
    return r;
}

TelephoneBlockRules TelephoneBlockRulesFor(const EditorContents& e, int currentPage, bool primaryChosen,
                                           bool telephoneChosen)
{
    TelephoneBlockRules r;
    r.pageLabel = e.dialupNumbers.CurrentPage();
    const bool inUse = currentPage == kRoutingPage || (currentPage == kDialupPage && primaryChosen);
    if (!inUse) return r;
    // On the routing page the block is only greyed while Repeater Node is chosen.
    const bool greyed = currentPage == kRoutingPage && !telephoneChosen;
    if (e.leasedLineModem) {
        r.showLeasedLinePicture = true;
        r.leasedLinePictureEnabled = !greyed;
    } else {
        r.showTelephoneControls = true;
        r.telephoneControlsEnabled = e.dialupModem && !greyed;
    }
    return r;
}

bool CopyBackAlert(EditorContents& e, AlertInput& in)
{
    SmsConnection a;
    if (GetAlert(e.alerts, e.alerts.selected, a) != 0) return false;
    in.direction = std::isupper(static_cast<unsigned char>(a.kind)) ? 1 : 0;
    char text[24];
    std::snprintf(text, sizeof text, "%c%d.%d", std::toupper(static_cast<unsigned char>(a.kind)), a.card, a.channel);
    in.endpoint = text;
    switch (a.condition) {
    case 3: in.digitalCondition = 0; break;
    case 1: in.digitalCondition = 1; break;
    case 2: in.digitalCondition = 2; break;
    case 'C': in.analogCondition = 0; break;
    case 'A': in.analogCondition = 1; break;
    case 'B': in.analogCondition = 2; break;
    case 'Q': in.analogCondition = 3; break;
    case 'R': in.analogCondition = 4; break;
    }
    in.unit = a.unit >= 1 && a.unit <= 3 ? a.unit - 1 : 3;
    // An alert without a value empties its edit, so the next Add does not take the one shown before.
    in.limit = a.limit != kSmsNone ? AlertValueText(a.limit, a.unit) : std::string();
    in.hysteresis = a.hysteresis != kSmsNone ? AlertValueText(a.hysteresis, a.unit) : std::string();
    e.smsMessages.SetPage(a.message, true);
    e.smsNumbers.SetPage(a.telephone, true);
    in.messagePage = e.smsMessages.CurrentPage();
    in.telephonePage = e.smsNumbers.CurrentPage();
    return true;
}

} // namespace mnm::editor
