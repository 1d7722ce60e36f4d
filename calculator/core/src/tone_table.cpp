// MakeToneTable: the bytes a beacon's firmware sends to its synthesiser for each WSPR tone.
#include <cstdint>
#include <string>

#include "decoder_step.hpp"
#include "tuneworks_core.hpp"

namespace tuneworks {
namespace {

constexpr std::uint8_t kAd9851RefClockTimesSix = 0x01;  // W32 of the serial load
constexpr double kAd9851Multiplier = 6.0;
constexpr int kPllARegister = 26;
constexpr int kMultisynth0Register = 42;

// `bytes` bytes of `word`, the most significant first.
void BigEndian(std::uint64_t word, std::size_t bytes, std::array<std::uint8_t, 8>& out) {
  for (std::size_t k = 0; k < bytes; ++k) {
    out[k] = static_cast<std::uint8_t>(word >> (8 * (bytes - 1 - k)));
  }
}

// The Si5351's blocks: the one that steps for each tone, the other once.
void Si5351Bytes(const Si5351Plan& plan, ToneTable& table) {
  const bool pll_steps = plan.method == Si5351Method::kPll;
  table.bytesPerTone = 8;
  table.toneFirstRegister = pll_steps ? kPllARegister : kMultisynth0Register;
  table.sharedFirstRegister = pll_steps ? kMultisynth0Register : kPllARegister;
  table.sharedBytes = pll_steps ? plan.tones[0].multisynthRegisters : plan.tones[0].pllRegisters;
  for (std::size_t t = 0; t < 4; ++t) {
    table.toneBytes[t] = pll_steps ? plan.tones[t].pllRegisters : plan.tones[t].multisynthRegisters;
  }
}

// A DDS's words L + k I laid out as the chip takes them.
void DdsBytes(const CalcState& state, double pll, ToneTable& table) {
  for (std::size_t t = 0; t < 4; ++t) {
    const auto word = static_cast<std::uint64_t>(state.LowToneWord +
                                                 static_cast<std::int64_t>(t) * state.IntervalWord);
    table.words[t] = word;
    std::array<std::uint8_t, 8>& bytes = table.toneBytes[t];
    switch (table.kind) {
      case ToneTableKind::kPic24:
        table.bytesPerTone = 3;
        BigEndian(word, 3, bytes);
        break;
      case ToneTableKind::kAd985x:
        table.bytesPerTone = 5;
        for (std::size_t k = 0; k < 4; ++k) bytes[k] = static_cast<std::uint8_t>(word >> (8 * k));
        bytes[4] = pll == kAd9851Multiplier ? kAd9851RefClockTimesSix : 0;
        break;
      case ToneTableKind::kAd9852:
        table.bytesPerTone = 6;
        BigEndian(word, 6, bytes);
        break;
      case ToneTableKind::kSi5351:
        break;
    }
  }
}

}  // namespace

ToneTableResult MakeToneTable(const CalcInputs& inputs) {
  CalcState state;
  const CalcOutputs out = Calculate(inputs, state);  // the words and tones, computed once
  const ActualTones& tones = out.Tones;
  if (!tones.frequencies) {
    if (out.Si5351 && out.Si5351->problem) {
      std::string problem = *out.Si5351->problem;  // a sentence: lower its first word's capital
      if (problem.size() > 1 && problem[0] >= 'A' && problem[0] <= 'Z' && problem[1] >= 'a') {
        problem[0] = static_cast<char>(problem[0] - 'A' + 'a');
      }
      return {std::nullopt, problem};
    }
    if (tones.fault != ToneFault::kNone) {
      return {std::nullopt, std::string(ToneFaultText(tones.fault))};
    }
    return {std::nullopt,
            "there are no tones to put in a table: the DDS clock or the RF multiplication is not "
            "above 0, no synthesiser is chosen, or the calculation overflows"};
  }
  if (!tones.frequencies->decodable) {
    return {std::nullopt,
            "the tone step, " + FixedText(tones.frequencies->stepHz, 6) + " Hz (" +
                FixedText(tones.frequencies->stepErrorPercent, 2, true) + " %), is one " +
                std::string(detail::DecoderPhrase(tones.frequencies->mode)) + " cannot follow"};
  }
  ToneTable table;
  table.kind = static_cast<ToneTableKind>(inputs.Resolution);  // 0 to 3 when there are tones
  table.actual = *tones.frequencies;
  table.rfMultiplier = ReadNumber(inputs.RFMult);
  if (out.Si5351) {
    table.si5351 = out.Si5351;
    Si5351Bytes(*out.Si5351, table);
  } else {
    table.clockHz = state.ClockHz;
    DdsBytes(state, ReadNumber(inputs.PLLMult), table);
  }
  return {table, {}};
}

}  // namespace tuneworks
