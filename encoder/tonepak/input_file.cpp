// Reading the beginning of a file, up to a limit, or saying why not.
#include "input_file.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tonepak {

InputFile ReadFileStart(const char* name, std::size_t limit) {
  InputFile in;
  auto failure = [&](int error) {
    in.bytes.clear();
    in.error = std::string("cannot read ") + name + ": " +
               (error != 0 ? std::strerror(error) : "unknown error");
    return in;
  };
  errno = 0;
  std::FILE* file = std::fopen(name, "rb");
  if (file == nullptr) return failure(errno);
  in.bytes.resize(limit);
  errno = 0;
  in.bytes.resize(std::fread(in.bytes.data(), 1, limit, file));
  const int read_error = std::ferror(file) != 0 ? (errno != 0 ? errno : EIO) : 0;
  in.longer = read_error == 0 && in.bytes.size() == limit && std::fgetc(file) != EOF;
  std::fclose(file);
  if (read_error != 0) return failure(read_error);
  return in;
}

}  // namespace tonepak
