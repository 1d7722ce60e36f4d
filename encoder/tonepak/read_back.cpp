// tonepak --read FILE [FILE2]: the message a wsptones.inc or an a.au carries, or why it carries
// none.
#include "read_back.hpp"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>

#include "call_hash.hpp"
#include "decoding.hpp"
#include "file_start.hpp"
#include "message_unpacking.hpp"
#include "tonepak.hpp"
#include "transmission_reading.hpp"

namespace tonepak {
namespace {

// One file's message, or its problems said on standard error.
std::optional<Message> ReadOne(const char* file_name) {
  const wspr::FileStart in = wspr::ReadFileStart(file_name, kReadLimitBytes);
  if (!in.error.empty()) {
    Complain(in.error);
    return std::nullopt;
  }
  const Decoded decoded = ReadTransmission(in.bytes, in.longer);
  if (!decoded.message) {
    for (const std::string& problem : decoded.problems) {
      Complain(std::string(file_name) + ": " + problem);
    }
  }
  return decoded.message;
}

bool PrintLine(const Message& message) {
  const std::string line = MessageText(message) + "\n";
  std::fwrite(line.data(), 1, line.size(), stdout);
  return std::fflush(stdout) == 0;
}

std::string HashText(std::uint16_t hash) { return std::to_string(hash); }

}  // namespace

int ReadBack(const char* file_name, const char* second_file_name) {
  const std::optional<Message> first = ReadOne(file_name);
  bool ok = first && PrintLine(*first);
  if (second_file_name == nullptr) return ok ? 0 : 1;

  std::optional<Message> second = ReadOne(second_file_name);
  if (!second) return 1;
  const std::string call = first ? CallOf(*first) : std::string();
  if (second->type == MessageType::kHashed && !call.empty()) {
    if (CallHash(call) == second->call_hash) {
      std::copy(call.begin(), call.end(), second->call.begin());
    } else {
      Complain(std::string(second_file_name) + ": its call hash " + HashText(second->call_hash) +
               " is not that of " + call + " in " + file_name + " (" + HashText(CallHash(call)) +
               "): the two are not a pair");
      ok = false;
    }
  }
  ok = PrintLine(*second) && ok;
  return ok ? 0 : 1;
}

}  // namespace tonepak
