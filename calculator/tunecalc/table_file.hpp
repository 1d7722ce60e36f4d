// Writing tunecalc's table files whole or not at all.
#pragma once

#include <optional>
#include <span>
#include <string>

namespace tunecalc {

struct FileToWrite {
  std::string name;
  std::string bytes;  // written untranslated: the include file's CR LF go out as they are
};

// Writes every file first under a temporary name beside it (NAME.tunecalc-part), then renames
// each to its name, replacing an older file. Nothing on success; else "cannot write NAME: REASON"
// with the system's reason, and no temporary file is left behind: a file is either the whole
// new text or as it was.
std::optional<std::string> WriteFilesWhole(std::span<const FileToWrite> files);

}  // namespace tunecalc
