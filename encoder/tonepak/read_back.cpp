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
#include "fst4w_reading.hpp"
#include "fst4w_tone_demodulation.hpp"
#include "message_unpacking.hpp"
#include "telemetry_run.hpp"
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

// The message's text, and on the next line what a telemetry message carries.
std::string MessageLines(const std::string& text) {
  const std::string note = TelemetryNote(text);
  return text + "\n" + (note.empty() ? "" : note + "\n");
}

bool PrintLine(const Message& message) {
  const std::string line = MessageLines(MessageText(message));
  std::fwrite(line.data(), 1, line.size(), stdout);
  return std::fflush(stdout) == 0;
}

std::string HashText(std::uint16_t hash) { return std::to_string(hash); }

// An FST4W file: its mode, message and the result of each check; true when all hold.
bool ReportFst4w(const char* file_name, const fst4w::Fst4wReading& reading) {
  std::string mode = "FST4W (the file names no period)";
  if (reading.mode) {
    mode = std::string(beacon::NameOf(*reading.mode).label);
    mode.append(" (")
        .append(std::to_string(beacon::Fst4wPeriodOf(*reading.mode)->seconds))
        .append(" s period)");
  }
  const std::string where = std::string(file_name).append(": ").append(mode).append(": ");
  for (const std::string& problem : reading.problems) Complain(where + problem);
  if (!reading.message) return false;
  std::string out = MessageLines(reading.message->text) + mode + ": sync ";
  out += std::to_string(40 - reading.sync_errors) +
         " of 40, LDPC parity checks 166 of 166, CRC-24 matches\n";
  std::fwrite(out.data(), 1, out.size(), stdout);
  return std::fflush(stdout) == 0 && reading.problems.empty();
}

bool ReadFst4w(const char* file_name, std::string_view text) {
  return ReportFst4w(file_name, fst4w::ReadFst4wText(text));
}

// An a.au that is no WSPR transmission may be an FST4W one, a whole period long; nothing when
// it holds no FST4W tones either.
std::optional<fst4w::Fst4wReading> HearFst4w(const char* file_name) {
  const wspr::FileStart in = wspr::ReadFileStart(file_name, fst4w::kAudioReadLimitBytes);
  if (!in.error.empty() || in.longer) return std::nullopt;
  const fst4w::HeardFst4w heard = fst4w::HearFst4wTestAudio(in.bytes);
  if (!heard.symbols) return std::nullopt;
  fst4w::Fst4wReading reading = fst4w::CheckFst4wSymbols(*heard.symbols);
  reading.mode = heard.mode;
  return reading;
}

}  // namespace

int ReadBack(const char* file_name, const char* second_file_name) {
  if (second_file_name == nullptr) {
    const wspr::FileStart in = wspr::ReadFileStart(file_name, kReadLimitBytes);
    const std::string_view text(reinterpret_cast<const char*>(in.bytes.data()), in.bytes.size());
    if (in.error.empty() && !in.longer && !text.starts_with(".snd") && fst4w::IsFst4wText(text)) {
      return ReadFst4w(file_name, text) ? 0 : 1;
    }
    // WSPR's a.au and FST4W-120's are both two minutes long: WSPR is heard first.
    if (in.error.empty() && text.starts_with(".snd") &&
        (in.longer || !ReadTransmission(in.bytes, in.longer).message)) {
      if (const auto reading = HearFst4w(file_name)) {
        return ReportFst4w(file_name, *reading) ? 0 : 1;
      }
    }
  }
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
