#pragma once
// The configuration file: where it lives by default, and what the program
// says of one that cannot be read.

#include <string>

#include "settings/cArchiveReader.h"

namespace orvik {

// $XDG_CONFIG_HOME/orvik/orvik.cfg, else ~/.config/orvik/orvik.cfg, else
// orvik.cfg in the current folder.
std::string DefaultConfigPath();

// The program's text for a file that could not be read, with the path
// ("an unnamed file" when empty) in place of %1.
std::u16string ArchiveErrorText(eArchiveError kind, const std::string& path);
std::u16string UnreadableFileText(const std::string& path);
std::u16string TooLargeFileText(const std::string& path);
// Says that a file that could not be read will be kept under `keptAs`.
std::u16string KeptAsideText(const std::string& keptAs);

}  // namespace orvik
