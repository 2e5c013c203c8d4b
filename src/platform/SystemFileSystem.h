#pragma once
// The file system of the computer the program runs on (POSIX or Windows,
// whichever the build is for).

#include <string>

#include "base/iFileSystem.h"

namespace orvik {

// This computer's file system, for code that is handed none.
iFileSystem& SystemFileSystem();

// True when users other than the file's owner may read it.
bool OthersCanRead(const std::string& path);

}  // namespace orvik
