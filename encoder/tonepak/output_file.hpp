// Writing one output file completely, or saying why not.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tonepak {

// Creates (or truncates) `name` in the current directory and writes `bytes` to it untranslated.
// Returns nothing on success, else "cannot write NAME: REASON" with the system's reason; a file
// that could not be written or closed completely counts as a failure.
std::optional<std::string> WriteWholeFile(const char* name, std::span<const std::uint8_t> bytes);

}  // namespace tonepak
