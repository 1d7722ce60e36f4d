// The memory the page's script and the WebAssembly share for one call: the script writes a
// call's input bytes into the buffer, the call reads them, and its JSON answer stays alive until
// the next call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace wspr_web {

// Room for `size` input bytes; the script writes them there before the call that reads them.
std::uint8_t* InputBuffer(std::size_t size);
std::span<const std::uint8_t> Input(std::size_t offset, std::size_t size);
std::string_view InputText(std::size_t offset, std::size_t size);

// Keeps `json` until the next answer and returns it NUL-terminated for the script.
const char* Answer(std::string json);

}  // namespace wspr_web
