#include "policy/running_outlook.h"

namespace sarvell::policy {

// No Outlook runs outside Windows (under Wine, Sarvell is a Windows program).
std::vector<Process> OutlookProcesses() { return {}; }

}  // namespace sarvell::policy
