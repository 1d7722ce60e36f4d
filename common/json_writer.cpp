// JSON writing: the string escaping and the writer's punctuation.
#include "json_writer.hpp"

#include <algorithm>
#include <cstddef>

namespace wspr {
namespace {

// Length of the well-formed UTF-8 sequence at the start of `bytes`, or 0 when it is not one.
std::size_t Utf8SequenceLength(std::string_view bytes) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (bytes.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  }
  return length;
}

}  // namespace

std::string JsonString(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string json = "\"";
  json.reserve(bytes.size() + 16);
  for (std::size_t i = 0; i < bytes.size();) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c >= 0x80) {
      const std::size_t length = Utf8SequenceLength(bytes.substr(i));
      if (length == 0) {
        json += "\\ufffd";
        ++i;
      } else {
        json.append(bytes.substr(i, length));
        i += length;
      }
      continue;
    }
    switch (c) {
      case '"':
        json += "\\\"";
        break;
      case '\\':
        json += "\\\\";
        break;
      case '\r':
        json += "\\r";
        break;
      case '\n':
        json += "\\n";
        break;
      case '\t':
        json += "\\t";
        break;
      default:
        if (c < 0x20 || c == 0x7F) {
          json += "\\u00";
          json += kHex[c >> 4];
          json += kHex[c & 0xF];
        } else {
          json += static_cast<char>(c);
        }
    }
    ++i;
  }
  json += '"';
  return json;
}

void JsonWriter::BeforeValue() {
  if (after_key_) {
    after_key_ = false;
    return;
  }
  if (!first_) text_ += ',';
  first_ = false;
}

JsonWriter& JsonWriter::Raw(std::string_view json) {
  BeforeValue();
  text_ += json;
  return *this;
}

JsonWriter& JsonWriter::Key(std::string_view key) {
  BeforeValue();
  text_ += JsonString(key);
  text_ += ':';
  after_key_ = true;
  return *this;
}

JsonWriter& JsonWriter::BeginObject() {
  Raw("{");
  first_ = true;
  return *this;
}

JsonWriter& JsonWriter::EndObject() {
  text_ += '}';
  first_ = false;
  return *this;
}

JsonWriter& JsonWriter::BeginArray() {
  Raw("[");
  first_ = true;
  return *this;
}

JsonWriter& JsonWriter::EndArray() {
  text_ += ']';
  first_ = false;
  return *this;
}

JsonWriter& JsonWriter::String(std::string_view bytes) { return Raw(JsonString(bytes)); }

JsonWriter& JsonWriter::Bool(bool value) { return Raw(value ? "true" : "false"); }

JsonWriter& JsonWriter::Null() { return Raw("null"); }

#if defined(__cpp_lib_to_chars)
JsonWriter& JsonWriter::Number(double value) {
  char buffer[32];
  return Raw(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

JsonWriter& JsonWriter::Number(double value, int decimals) {
  char buffer[400];  // a double's 309 whole digits, the sign, the point and up to 60 decimals
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, value,
                                     std::chars_format::fixed, std::clamp(decimals, 0, 60));
  return Raw(buffer, written.ptr);
}
#endif

}  // namespace wspr
