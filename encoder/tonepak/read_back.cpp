// tonepak --read FILE: the message a wsptones.inc or an a.au carries, or why it carries none.
#include "read_back.hpp"

#include <cstdio>
#include <string>

#include "input_file.hpp"
#include "message_unpacking.hpp"
#include "tonepak.hpp"
#include "transmission_reading.hpp"

namespace tonepak {

int ReadBack(const char* file_name) {
  const InputFile in = ReadFileStart(file_name, kReadLimitBytes);
  if (!in.error.empty()) {
    Complain(in.error);
    return 1;
  }
  const Decoded decoded = ReadTransmission(in.bytes, in.longer);
  if (!decoded.message) {
    for (const std::string& problem : decoded.problems) {
      Complain(std::string(file_name) + ": " + problem);
    }
    return 1;
  }
  const std::string line = MessageText(*decoded.message) + "\n";
  std::fwrite(line.data(), 1, line.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace tonepak
