// Reading a recording's file in pieces of a megabyte until its end or the limit.
#include "recording_file.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace beaconcheck {

RecordingFile ReadRecordingFile(const std::string& name, std::size_t limit) {
  constexpr std::size_t kPiece = std::size_t{1} << 20;
  RecordingFile out;
  std::FILE* file = std::fopen(name.c_str(), "rb");
  if (file == nullptr) {
    out.error = "cannot read " + name + ": " + std::strerror(errno);
    return out;
  }
  while (true) {
    const std::size_t had = out.bytes.size();
    if (had >= limit) {
      out.too_large = std::fgetc(file) != EOF;
      break;
    }
    const std::size_t want = std::min(kPiece, limit - had);
    out.bytes.resize(had + want);
    const std::size_t got = std::fread(out.bytes.data() + had, 1, want, file);
    out.bytes.resize(had + got);
    if (got < want) break;
  }
  if (std::ferror(file) != 0) out.error = "cannot read " + name + ": " + std::strerror(errno);
  std::fclose(file);
  return out;
}

}  // namespace beaconcheck
