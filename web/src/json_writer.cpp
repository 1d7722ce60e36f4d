// JSON writing for the page's calls.
#include "json_writer.hpp"

namespace wspr_web {

std::string Quoted(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(text.size() + 2);
  out += '"';
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (byte < 0x20) {
          out += "\\u00";
          out += kHex[byte >> 4];
          out += kHex[byte & 0x0F];
        } else {
          out += c;
        }
    }
  }
  out += '"';
  return out;
}

void JsonWriter::Key(std::string_view key) {
  if (!first_) text_ += ',';
  first_ = false;
  if (!key.empty()) {
    text_ += Quoted(key);
    text_ += ':';
  }
}

void JsonWriter::BeginObject(std::string_view key) {
  Key(key);
  text_ += '{';
  first_ = true;
}

void JsonWriter::EndObject() {
  text_ += '}';
  first_ = false;
}

void JsonWriter::BeginList(std::string_view key) {
  Key(key);
  text_ += '[';
  first_ = true;
}

void JsonWriter::EndList() {
  text_ += ']';
  first_ = false;
}

void JsonWriter::String(std::string_view key, std::string_view value) {
  Key(key);
  text_ += Quoted(value);
}

void JsonWriter::Number(std::string_view key, std::size_t value) {
  Key(key);
  text_ += std::to_string(value);
}

void JsonWriter::Integer(std::string_view key, long long value) {
  Key(key);
  text_ += std::to_string(value);
}

void JsonWriter::Boolean(std::string_view key, bool value) {
  Key(key);
  text_ += value ? "true" : "false";
}

}  // namespace wspr_web
