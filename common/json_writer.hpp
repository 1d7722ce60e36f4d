// One JSON writer for every program and the page: objects, arrays, strings, numbers, true, false
// and null, written in order into one compact text. No reading.
#pragma once

#include <charconv>
#include <concepts>
#include <cstddef>
#include <string>
#include <string_view>

namespace wspr {

// A JSON string literal, quotes included, for any bytes: ", \ and control characters escaped
// (\r, \n, \t by name, the others and DEL as \u00XX); well-formed UTF-8 passes unchanged and
// every byte that is not part of a well-formed UTF-8 sequence becomes \ufffd.
std::string JsonString(std::string_view bytes);

// Writes values in order. Inside an object each value follows its Key; inside an array values
// follow one another; the commas are the writer's business. Every call returns the writer, so
// that a member reads as one line: json.Key("size").Integer(41).
class JsonWriter {
 public:
  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray();
  JsonWriter& EndArray();
  JsonWriter& Key(std::string_view key);

  JsonWriter& String(std::string_view bytes);
  JsonWriter& Bool(bool value);
  JsonWriter& Null();
  template <std::integral T>
  JsonWriter& Integer(T value) {
    char buffer[24];
    return Raw(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
  }
  JsonWriter& Integer(bool) = delete;  // Bool
#if defined(__cpp_lib_to_chars)
  // Doubles need the C++ library's floating-point std::to_chars, which every native build has and
  // Emscripten's older libc++ lacks; the page writes none. Both must be finite (JSON has no
  // infinity or NaN).
  // The shortest decimal that reads back as the same double ("0.1", "1e+300").
  JsonWriter& Number(double value);
  // `value` with `decimals` places after the point, 0 to 60 ("12.50").
  JsonWriter& Number(double value, int decimals);
#endif

  const std::string& Text() const { return text_; }

 private:
  JsonWriter& Raw(std::string_view json);
  JsonWriter& Raw(const char* first, const char* last) {
    return Raw(std::string_view(first, static_cast<std::size_t>(last - first)));
  }
  void BeforeValue();

  std::string text_;
  bool first_ = true;       // nothing yet in the open object or array
  bool after_key_ = false;  // a key was written and waits for its value
};

}  // namespace wspr
