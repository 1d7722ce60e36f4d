// The shared input buffer and the last answer.
#include "call_buffer.hpp"

#include <algorithm>
#include <vector>

namespace wspr_web {
namespace {

std::vector<std::uint8_t>& Buffer() {
  static std::vector<std::uint8_t> buffer;
  return buffer;
}

}  // namespace

std::uint8_t* InputBuffer(std::size_t size) {
  Buffer().assign(std::max<std::size_t>(size, 1), 0);
  return Buffer().data();
}

std::span<const std::uint8_t> Input(std::size_t offset, std::size_t size) {
  const std::span<const std::uint8_t> all(Buffer());
  offset = std::min(offset, all.size());
  return all.subspan(offset, std::min(size, all.size() - offset));
}

std::string_view InputText(std::size_t offset, std::size_t size) {
  const auto bytes = Input(offset, size);
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

const char* Answer(std::string json) {
  static std::string last;
  last = std::move(json);
  return last.c_str();
}

}  // namespace wspr_web
