#pragma once
// A file name that is not taken yet: the base name's trailing number counts
// up (Ambrel.txt, Ambrel1.txt, Ambrel2.txt; out-7.csv, out-8.csv).

#include <string>

namespace orvik {

class iFileSystem;

// The base name that follows `base`: its trailing digits plus one, or "1" appended.
std::string NextStem(const std::string& base);

// 0 with `path` changed until no file of that name exists; -1 for an empty path.
int MakeUniqueFileName(std::string& path, iFileSystem& files);

}  // namespace orvik
