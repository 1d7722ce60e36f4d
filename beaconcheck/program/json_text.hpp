// A small JSON writer for beaconcheck's --json: objects, arrays, numbers, strings, null.
#pragma once

#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>

namespace beaconcheck {

// Appends to one string; commas are placed by remembering whether a value was written at the
// current depth. Numbers that are not finite are written as null.
class JsonText {
 public:
  JsonText& Open(char bracket) {
    Separate();
    text_ += bracket;
    first_ = true;
    return *this;
  }
  JsonText& Close(char bracket) {
    text_ += bracket;
    first_ = false;
    return *this;
  }
  JsonText& Key(std::string_view key) {
    Separate();
    AppendString(key);
    text_ += ':';
    first_ = true;  // the value follows without a comma
    return *this;
  }
  JsonText& Number(double value, int decimals) {
    Separate();
    if (!std::isfinite(value)) {
      text_ += "null";
      return *this;
    }
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    text_ += buffer;
    return *this;
  }
  JsonText& Integer(long long value) {
    Separate();
    text_ += std::to_string(value);
    return *this;
  }
  JsonText& Bool(bool value) {
    Separate();
    text_ += value ? "true" : "false";
    return *this;
  }
  JsonText& Null() {
    Separate();
    text_ += "null";
    return *this;
  }
  JsonText& String(std::string_view value) {
    Separate();
    AppendString(value);
    return *this;
  }
  const std::string& Text() const { return text_; }

 private:
  void Separate() {
    if (!first_) text_ += ',';
    first_ = false;
  }
  void AppendString(std::string_view value) {
    text_ += '"';
    for (const char c : value) {
      const auto u = static_cast<unsigned char>(c);
      if (c == '"' || c == '\\') {
        text_ += '\\';
        text_ += c;
      } else if (u < 0x20) {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "\\u%04x", u);
        text_ += buffer;
      } else {
        text_ += c;
      }
    }
    text_ += '"';
  }

  std::string text_;
  bool first_ = true;
};

}  // namespace beaconcheck
