// The JSON texts the page's calls return: objects of strings, numbers, booleans and lists, built
// in order. Only what the calls need; no reading.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace wspr_web {

// A JSON string literal for UTF-8 `text`, quotes included; control characters escaped.
std::string Quoted(std::string_view text);

class JsonWriter {
 public:
  // Opens an object or a list; a key is given inside an object and left empty inside a list.
  void BeginObject(std::string_view key = {});
  void EndObject();
  void BeginList(std::string_view key = {});
  void EndList();

  void String(std::string_view key, std::string_view value);
  void Number(std::string_view key, std::size_t value);
  void Integer(std::string_view key, long long value);
  void Boolean(std::string_view key, bool value);

  const std::string& Text() const { return text_; }

 private:
  void Key(std::string_view key);

  std::string text_;
  bool first_ = true;
};

}  // namespace wspr_web
