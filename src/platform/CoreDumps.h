#pragma once
// A process that holds a password must not leave it in a core file.

namespace orvik {

// Turns core dumps off for the rest of the process; false when the system refused.
bool DisableCoreDumps();

}  // namespace orvik
