#pragma once
// The configuration file on disk: where it lives, reading it whole, and
// replacing it so that a failed save never loses the file that was there.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/cFileError.h"
#include "settings/cArchiveReader.h"

namespace orvik {

class iWriteSink;

// $XDG_CONFIG_HOME/orvik/orvik.cfg, else ~/.config/orvik/orvik.cfg, else
// orvik.cfg in the current folder.
std::string DefaultConfigPath();

enum class eReadResult { kRead, kMissing, kUnreadable };

// The whole file; kMissing when there is no file at the path. `why` gets the
// reason of a failure.
eReadResult ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::error_code* why = nullptr);

// Lets tests put a sink of their own between the writer and the file.
using tSinkDecorator = std::function<std::unique_ptr<iWriteSink>(iWriteSink& file)>;

// The file a path names once every symbolic link on its last part is followed
// (the path itself when it is no link, or a link cannot be read).
std::string ResolveLinks(const std::string& path);

// Writes a temporary file beside `path` (mode 0600) through `produce`, flushes
// it to disk and renames it over `path`. Any failure removes the temporary
// file, leaves `path` as it was and returns -1; success returns 0. With
// `createFolder`, a missing folder of `path` is created (mode 0700). A `path`
// that is a symbolic link is saved where it points; temporary files that an
// earlier process of ours left beside it (killed during a save) are removed.
// `error` gets the file and the reason of a failure.
int SaveFileReplacing(const std::string& path, const std::function<bool(iWriteSink&)>& produce,
                      bool createFolder = false, const tSinkDecorator& decorate = {}, cFileError* error = nullptr);

// The program's text for a file that could not be read, with the path
// ("an unnamed file" when empty) in place of %1.
std::u16string ArchiveErrorText(eArchiveError kind, const std::string& path);
std::u16string UnreadableFileText(const std::string& path);
std::u16string TooLargeFileText(const std::string& path);
// Says that a file that could not be read will be kept under `keptAs`.
std::u16string KeptAsideText(const std::string& keptAs);

}  // namespace orvik
