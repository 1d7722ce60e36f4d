// Reading the start of a file in pieces of a megabyte until its end or the limit.
#include "file_start.hpp"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace wspr {

FileStart ReadFileStart(const std::string& name, std::size_t limit) {
  constexpr std::size_t kPiece = std::size_t{1} << 20;
  FileStart in;
  auto failure = [&](int error) {
    in.bytes.clear();
    in.longer = false;
    in.error = "cannot read " + name + ": " + (error != 0 ? std::strerror(error) : "unknown error");
    return in;
  };
  errno = 0;
  std::FILE* file = std::fopen(name.c_str(), "rb");
  if (file == nullptr) return failure(errno);
  errno = 0;
  while (true) {
    const std::size_t had = in.bytes.size();
    if (had >= limit) {
      in.longer = std::fgetc(file) != EOF;
      break;
    }
    const std::size_t want = std::min(kPiece, limit - had);
    in.bytes.resize(had + want);
    const std::size_t got = std::fread(in.bytes.data() + had, 1, want, file);
    in.bytes.resize(had + got);
    if (got < want) break;
  }
  const int read_error = std::ferror(file) != 0 ? (errno != 0 ? errno : EIO) : 0;
  std::fclose(file);
  if (read_error != 0) return failure(read_error);
  return in;
}

}  // namespace wspr
