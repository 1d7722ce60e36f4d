// The item an arrow key chooses in a combo box's closed field.
#include "list_arrow.hpp"

#include <algorithm>
#include <cstddef>

namespace tuneworks {
namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string_view WithoutBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool Begins(std::string_view item, std::string_view start) {
  return start.size() <= item.size() &&
         std::equal(start.begin(), start.end(), item.begin(),
                    [](char a, char b) { return Lower(a) == Lower(b); });
}

}  // namespace

std::optional<int> ItemForArrow(std::span<const std::string_view> items, int chosen,
                                std::string_view typed, int step) {
  const int count = static_cast<int>(items.size());
  if (count == 0) return std::nullopt;
  if (chosen >= 0) {
    const int next = std::clamp(chosen + step, 0, count - 1);
    if (next == chosen) return std::nullopt;
    return next;
  }
  const std::string_view name = WithoutBlanks(typed);
  if (name.empty()) return 0;
  const auto named = std::find_if(items.begin(), items.end(),
                                  [&](std::string_view item) { return Begins(item, name); });
  return named == items.end() ? 0 : static_cast<int>(named - items.begin());
}

}  // namespace tuneworks
