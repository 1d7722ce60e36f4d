// Writing one output file completely, or saying why not.
#include "output_file.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tonepak {
namespace {

std::string Failure(const char* what, const char* name, int error) {
  return std::string("cannot ") + what + " " + name + ": " +
         (error != 0 ? std::strerror(error) : "unknown error");
}

}  // namespace

std::optional<std::string> WriteWholeFile(const char* name, std::span<const std::uint8_t> bytes) {
  errno = 0;
  std::FILE* file = std::fopen(name, "wb");  // binary: CR LF and sample bytes go out as they are
  if (file == nullptr) return Failure("create", name, errno);

  errno = 0;
  const std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), file);
  const int write_error = errno;
  // The close flushes the stream's buffer, so a full disk may only show here.
  errno = 0;
  const bool closed = std::fclose(file) == 0;
  const int close_error = errno;
  if (written != bytes.size())
    return Failure("write", name, write_error ? write_error : close_error);
  if (!closed) return Failure("write", name, close_error);
  return std::nullopt;
}

}  // namespace tonepak
