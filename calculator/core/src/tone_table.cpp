// MakeToneTable: the bytes a beacon's firmware sends to its DDS for each of the four WSPR tones.
#include <cstdint>
#include <string>

#include "checked_math.hpp"
#include "tuneworks_core.hpp"

namespace tuneworks {
namespace {

constexpr std::uint8_t kAd9851RefClockTimesSix = 0x01;  // W32 of the serial load
constexpr double kAd9851Multiplier = 6.0;

// `bytes` bytes of `word`, the most significant first.
void BigEndian(std::uint64_t word, std::size_t bytes, std::array<std::uint8_t, 8>& out) {
  for (std::size_t k = 0; k < bytes; ++k) {
    out[k] = static_cast<std::uint8_t>(word >> (8 * (bytes - 1 - k)));
  }
}

ToneTableResult Run(const CalcInputs& inputs) {
  const ActualTones tones = CalculateActualTones(inputs);
  if (!tones.frequencies) {
    if (tones.fault != ToneFault::kNone) {
      return {std::nullopt, std::string(ToneFaultText(tones.fault))};
    }
    return {std::nullopt,
            "there are no tones to put in a table: the DDS clock or the RF multiplication is not "
            "above 0, no accumulator is chosen, or the calculation overflows"};
  }
  if (!tones.frequencies->decodable) {
    return {std::nullopt, "the tone step, " + FixedText(tones.frequencies->stepHz, 6) + " Hz (" +
                              FixedText(tones.frequencies->stepErrorPercent, 2, true) +
                              " %), is one a WSPR decoder cannot follow"};
  }
  ToneTable table;
  table.kind = static_cast<ToneTableKind>(inputs.Resolution);  // 0 to 2 when there are tones
  table.actual = *tones.frequencies;
  const double pll = ReadNumber(inputs.PLLMult);
  table.clockHz = detail::CheckedMul(detail::UnitScale(inputs.ClkUnits),
                                     detail::CheckedMul(ReadNumber(inputs.Ref), pll));
  table.rfMultiplier = ReadNumber(inputs.RFMult);
  table.words = tones.toneWords;
  for (std::size_t t = 0; t < 4; ++t) {
    const std::uint64_t word = table.words[t];
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
    }
  }
  return {table, {}};
}

}  // namespace

ToneTableResult MakeToneTable(const CalcInputs& inputs) {
  try {
    return Run(inputs);
  } catch (const OverflowError&) {  // not reached: the tones' calculation overflows first
    return {std::nullopt, "the calculation overflows"};
  }
}

}  // namespace tuneworks
