// Writing tunecalc's table files whole or not at all.
#include "table_file.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

namespace tunecalc {
namespace {

namespace fs = std::filesystem;

std::string Failure(const std::string& name, const std::string& reason) {
  return "cannot write " + name + ": " + reason;
}

std::string Reason(int error) { return error != 0 ? std::strerror(error) : "unknown error"; }

// Writes `bytes` to `path`; the system's reason when it cannot, a short or failed close included.
std::optional<std::string> WriteOne(const fs::path& path, const std::string& bytes) {
  errno = 0;
  std::FILE* file = std::fopen(path.string().c_str(), "wb");
  if (file == nullptr) return Reason(errno);
  errno = 0;
  const std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), file);
  const int write_error = errno;
  errno = 0;  // the close flushes the buffer, so a full disk may only show here
  const bool closed = std::fclose(file) == 0;
  const int close_error = errno;
  if (written != bytes.size()) return Reason(write_error != 0 ? write_error : close_error);
  if (!closed) return Reason(close_error);
  return std::nullopt;
}

}  // namespace

std::optional<std::string> WriteFilesWhole(std::span<const FileToWrite> files) {
  std::vector<fs::path> parts;
  const auto remove_parts = [&] {
    std::error_code ignored;
    for (const fs::path& part : parts) fs::remove(part, ignored);
  };
  for (const FileToWrite& file : files) {
    parts.emplace_back(file.name + ".tunecalc-part");
    if (auto reason = WriteOne(parts.back(), file.bytes)) {
      remove_parts();
      return Failure(file.name, *reason);
    }
  }
  for (std::size_t k = 0; k < files.size(); ++k) {
    std::error_code error;
    fs::rename(parts[k], files[k].name, error);
    if (error) {
      remove_parts();
      return Failure(files[k].name, error.message());
    }
  }
  return std::nullopt;
}

}  // namespace tunecalc
