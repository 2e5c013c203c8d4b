#include "platform/CoreDumps.h"

namespace orvik {

// Windows writes no core file of a process; a crash dump is made only where
// an administrator has set Windows Error Reporting up to keep one.
bool DisableCoreDumps() { return true; }

}  // namespace orvik
