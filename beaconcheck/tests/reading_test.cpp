// Reading recordings: every sample format to the same values, and the files that cannot be read.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "c2_reading.hpp"
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

// A .c2 file as wsprsim writes it: the name field, type 2, the dial, then the first sample
// (0.5, 0.25) and zeros.
Bytes C2(const std::string& name_field, double dial_mhz) {
  Bytes out(name_field.begin(), name_field.end());
  out.resize(kC2NameBytes, 0);
  Put(out, 2, 4);
  const auto dial = std::bit_cast<std::uint64_t>(dial_mhz);
  Put(out, static_cast<std::uint32_t>(dial), 4);
  Put(out, static_cast<std::uint32_t>(dial >> 32), 4);
  Put(out, std::bit_cast<std::uint32_t>(0.5F), 4);
  Put(out, std::bit_cast<std::uint32_t>(0.25F), 4);
  out.resize(kC2FileBytes, 0);
  return out;
}

struct C2File {
  const char* name;
  Bytes file;
  double dial_mhz;  // as read: 0 for unknown
};

const C2File kC2Files[] = {
    {"NamedAsWsprsimNamesIt", C2("000000_0001.c2", 14.0956), 14.0956},
    {"NameFieldHoldsAPath", C2("/tmp/x/000000_0001.c2", 7.0386), 7.0386},
    {"NameFieldHoldsGarbage", C2("\xff\x01WAVE.snd\x80", 10.1387), 10.1387},
    {"DialNotANumber", C2("000000_0001.c2", std::nan("")), 0.0},
    {"DialNegative", C2("000000_0001.c2", -1.0), 0.0},
    {"DialBeyondRadio", C2("000000_0001.c2", 3e250), 0.0},
};

class C2Files : public ::testing::TestWithParam<C2File> {};

TEST_P(C2Files, AreReadByTheirSize) {
  const ReadResult read = ReadRecording(GetParam().file);
  ASSERT_TRUE(read.recording) << read.problem;
  const Recording& r = *read.recording;
  EXPECT_EQ(r.sample_rate_hz, kC2SampleRateHz);
  EXPECT_EQ(r.centre_hz, kC2CentreHz);
  EXPECT_EQ(r.dial_mhz, GetParam().dial_mhz);
  EXPECT_TRUE(r.audio.empty());
  ASSERT_EQ(r.baseband.size(), kC2SampleCount);
  EXPECT_EQ(r.baseband[0], std::complex<float>(0.5F, -0.25F));  // the band mirrored back
  EXPECT_EQ(r.baseband[1], std::complex<float>());
}

INSTANTIATE_TEST_SUITE_P(Recordings, C2Files, ::testing::ValuesIn(kC2Files),
                         [](const auto& info) { return std::string(info.param.name); });

// A WAV or .au file exactly as large as a .c2 file is what its header says.
TEST(SizedLikeC2, WavAndAuAreReadByTheirHeaders) {
  const Bytes wav = Wav(1, 8, Bytes((kC2FileBytes - 56) / 2, 192));
  const Bytes au = Au(3, Bytes(kC2FileBytes - 24, 0x40));
  for (const Bytes& file : {wav, au}) {
    ASSERT_EQ(file.size(), kC2FileBytes);
    const ReadResult read = ReadRecording(file);
    ASSERT_TRUE(read.recording) << read.problem;
    EXPECT_EQ(read.recording->sample_rate_hz, 12000.0);
    EXPECT_TRUE(read.recording->baseband.empty());
    ASSERT_FALSE(read.recording->audio.empty());
    EXPECT_NEAR(read.recording->audio[0], 0.5, 0.02);
  }
}

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
    {"C2OneByteShort", Cut(C2("000000_0001.c2", 14.0956), kC2FileBytes - 1),
     "it is neither a WAV, an .au nor a .c2 recording"},
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
