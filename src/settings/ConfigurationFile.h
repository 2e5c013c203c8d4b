#pragma once
// The configuration file: where it lives by default, and what the program
// says of one that cannot be read.

#include <string>
#include <system_error>

#include "base/cFileError.h"
#include "settings/cArchiveReader.h"

namespace orvik {

// $XDG_CONFIG_HOME/orvik/orvik.cfg, else ~/.config/orvik/orvik.cfg, else
// orvik.cfg in the current folder.
std::string DefaultConfigPath();

// A fault in a file's contents as the reason a cFileError carries.
std::error_code MakeErrorCode(eArchiveError kind);

// The program's text for a configuration file that could not be read: the
// path ("an unnamed file" when empty) and what was wrong with it; the
// system's reason too when the file could not be opened.
std::u16string LoadFailureText(const cFileError& error);
// Says that a file that could not be read will be kept under `keptAs`.
std::u16string KeptAsideText(const std::string& keptAs);

}  // namespace orvik
