#include "reports/model/ReportIcons.h"

namespace mnm::reports {

int IconForCode(int code)
{
    if (code == kConnectionChangeUndetected || code == kConnectionsChangeUndetected) return kIconWarning;
    if (code == 0) return kIconSuccess;
    return kIconError;
}

const char* IconMeaning(int icon)
{
    switch (icon) {
    case kIconWarning: return "Warning";
    case kIconSuccess: return "Success";
    default: return "Error";
    }
}

} // namespace mnm::reports
