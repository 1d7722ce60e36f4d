// Reading recordings: every sample format to the same values, and the files that cannot be read.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "recording_reading.hpp"

namespace beaconcheck {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put(Bytes& out, std::uint32_t value, int bytes, bool big = false) {
  for (int i = 0; i < bytes; ++i) {
    const int shift = big ? 8 * (bytes - 1 - i) : 8 * i;
    out.push_back(static_cast<std::uint8_t>(value >> shift));
  }
}

void Tag(Bytes& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

// A WAV file of two channels: the first holds `first`, the second its negation.
Bytes Wav(int format, int bits, const Bytes& first_channel_samples, bool extensible = false) {
  const int bytes = bits / 8;
  Bytes data;
  for (std::size_t i = 0; i < first_channel_samples.size(); i += static_cast<std::size_t>(bytes)) {
    data.insert(data.end(), first_channel_samples.begin() + static_cast<std::ptrdiff_t>(i),
                first_channel_samples.begin() + static_cast<std::ptrdiff_t>(i) + bytes);
    data.insert(data.end(), static_cast<std::size_t>(bytes), 0);
  }
  Bytes out;
  Tag(out, "RIFF");
  Put(out, static_cast<std::uint32_t>(4 + 8 + (extensible ? 40 : 16) + 8 + data.size()), 4);
  Tag(out, "WAVE");
  Tag(out, "LIST");  // a chunk to step over
  Put(out, 3, 4);
  out.insert(out.end(), {1, 2, 3, 0});
  Tag(out, "fmt ");
  Put(out, extensible ? 40 : 16, 4);
  Put(out, extensible ? 0xFFFE : static_cast<std::uint32_t>(format), 2);
  Put(out, 2, 2);
  Put(out, 12000, 4);
  Put(out, static_cast<std::uint32_t>(12000 * 2 * bytes), 4);
  Put(out, static_cast<std::uint32_t>(2 * bytes), 2);
  Put(out, static_cast<std::uint32_t>(bits), 2);
  if (extensible) {
    Put(out, 22, 2);
    Put(out, static_cast<std::uint32_t>(bits), 2);
    Put(out, 3, 4);
    Put(out, static_cast<std::uint32_t>(format), 2);
    out.insert(out.end(), 14, 0);
  }
  Tag(out, "data");
  Put(out, static_cast<std::uint32_t>(data.size()), 4);
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

Bytes Au(std::uint32_t encoding, const Bytes& samples, std::uint32_t size = 0xFFFFFFFF) {
  Bytes out{'.', 's', 'n', 'd'};
  Put(out, 24, 4, true);
  Put(out, size, 4, true);
  Put(out, encoding, 4, true);
  Put(out, 12000, 4, true);
  Put(out, 1, 4, true);
  out.insert(out.end(), samples.begin(), samples.end());
  return out;
}

struct Format {
  const char* name;
  Bytes file;
};

// Each file holds the samples +1/2 and -1/4 of full scale.
const Format kFormats[] = {
    {"Pcm8", Wav(1, 8, {192, 96})},
    {"Pcm16", Wav(1, 16, {0x00, 0x40, 0x00, 0xE0})},
    {"Pcm24", Wav(1, 24, {0, 0x00, 0x40, 0, 0x00, 0xE0})},
    {"Pcm32", Wav(1, 32, {0, 0, 0x00, 0x40, 0, 0, 0x00, 0xE0})},
    {"Float", Wav(3, 32, {0, 0, 0, 0x3F, 0, 0, 0x80, 0xBE})},
    {"Extensible", Wav(1, 16, {0x00, 0x40, 0x00, 0xE0}, true)},
    {"Au16", Au(3, {0x40, 0x00, 0xE0, 0x00})},
    {"AuMuLaw", Au(1, {0x8F, 0x1F})},
};

class Formats : public ::testing::TestWithParam<Format> {};

TEST_P(Formats, GiveTheFirstChannelScaled) {
  const ReadResult read = ReadRecording(GetParam().file);
  ASSERT_TRUE(read.recording) << read.problem;
  EXPECT_EQ(read.recording->sample_rate_hz, 12000.0);
  ASSERT_EQ(read.recording->audio.size(), 2U);
  EXPECT_NEAR(read.recording->audio[0], 0.5, 0.02);
  EXPECT_NEAR(read.recording->audio[1], -0.25, 0.02);
}

INSTANTIATE_TEST_SUITE_P(Recordings, Formats, ::testing::ValuesIn(kFormats),
                         [](const auto& info) { return std::string(info.param.name); });

struct Unreadable {
  const char* name;
  Bytes file;
  const char* problem;
};

Bytes Cut(Bytes bytes, std::size_t size) {
  bytes.resize(size);
  return bytes;
}

Bytes WithRate(Bytes au, std::uint8_t high_byte) {
  au[17] = high_byte;  // 12000 becomes 12000 + high_byte * 65536
  return au;
}

const Unreadable kUnreadable[] = {
    {"Text", {'h', 'e', 'l', 'l', 'o'}, "it is neither a WAV, an .au nor a .c2 recording"},
    {"WavCutInHeader", Cut(Wav(1, 16, {0, 0}), 30), "its header is cut short"},
    {"WavDataClaimsMore", Cut(Wav(1, 16, {0, 0, 0, 0}), 60),
     "its data chunk claims more bytes than the file holds"},
    {"WavAlaw", Wav(6, 16, {0, 0}),
     "its samples are neither linear PCM nor 32-bit float (format 6)"},
    {"AuCutInHeader", Cut(Au(3, {}), 20), "its header is cut short"},
    {"AuClaimsMore", Au(3, {0, 0}, 4), "it claims more data than the file holds"},
    {"AuRateTooHigh", WithRate(Au(3, {0, 0}), 4),
     "its sample rate of 274144 Hz is outside 8000 to 192000 Hz"},
};

class Refused : public ::testing::TestWithParam<Unreadable> {};

TEST_P(Refused, WithTheReason) {
  const ReadResult read = ReadRecording(GetParam().file);
  EXPECT_FALSE(read.recording);
  EXPECT_EQ(read.problem, GetParam().problem);
}

INSTANTIATE_TEST_SUITE_P(Files, Refused, ::testing::ValuesIn(kUnreadable),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace beaconcheck
