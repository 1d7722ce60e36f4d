// Soft-decision decoding of tone powers made here, clean and in noise, and the pair fill-in.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "call_fill_in.hpp"
#include "encoding.hpp"
#include "message_unpacking.hpp"
#include "soft_decoding.hpp"
#include "transmissions.hpp"

namespace tonepak {
namespace {

// The transmissions of "PJ4/K1ABC FK52UD 37" and "K1ABC FN42AX 37": types 2, 3, 1, 3.
std::vector<Message> Messages() {
  std::vector<Message> out;
  for (const auto* call : {"PJ4/K1ABC", "K1ABC"}) {
    const Transmissions t = ChooseTransmissions(call, call[0] == 'P' ? "FK52UD" : "FN42AX", "37");
    out.insert(out.end(), t.List().begin(), t.List().end());
  }
  return out;
}

// Each tone's power as a receiver's filter gives it: the sent tone of energy Es in complex
// Gaussian noise of power N0 per tone (Rayleigh noise, Rician signal), scaled by `gain`.
// Infinite Es/N0: no noise at all; minus infinity: no signal.
TonePowers Heard(const ChannelSymbols& sent, double es_n0_db, double gain, unsigned seed) {
  std::mt19937 rng(seed);
  std::normal_distribution<double> noise(0.0, es_n0_db > 1000.0 ? 0.0 : std::sqrt(0.5));
  std::uniform_real_distribution<double> phase(0.0, 6.283185307179586);
  const double amplitude = es_n0_db > 1000.0 ? 1.0 : std::pow(10.0, es_n0_db / 20.0);
  TonePowers p{};
  for (std::size_t i = 0; i < kSymbolCount; ++i) {
    for (std::size_t t = 0; t < 4; ++t) {
      double re = noise(rng);
      double im = noise(rng);
      if (t == sent[i]) {
        const double a = phase(rng);
        re += amplitude * std::cos(a);
        im += amplitude * std::sin(a);
      }
      p[i][t] = static_cast<float>(gain * (re * re + im * im));
    }
  }
  return p;
}

// Es/N0 in dB; the SNR in 2500 Hz is 32.3 dB lower (one symbol lasts 1/1.4648 s).
class SoftDecodingTest : public testing::TestWithParam<double> {};

TEST_P(SoftDecodingTest, DecodesEveryTypeAtAnyScale) {
  const std::vector<Message> messages = Messages();
  unsigned seed = 1;
  for (const Message& m : messages) {
    const Encoding e = EncodeMessage(m);
    for (const double gain : {1.0, 3e-7, 4e5}) {
      const auto decoded = DecodeTonePowers(Heard(e.symbols, GetParam(), gain, ++seed));
      ASSERT_TRUE(decoded) << MessageText(m) << " seed " << seed;
      EXPECT_EQ(decoded->symbols, e.symbols) << MessageText(m);
      EXPECT_EQ(decoded->n1, e.source.n1);
      EXPECT_EQ(decoded->n2, e.source.n2);
      // A type 3 read on its own does not know its call.
      Message alone = m;
      if (m.type == MessageType::kHashed) alone.call.fill(' ');
      EXPECT_EQ(MessageText(decoded->message), MessageText(alone));
    }
  }
}

// Clean (no noise at all), then 20 to 6.3 dB: -12 to -26 dB in 2500 Hz.
INSTANTIATE_TEST_SUITE_P(EsN0, SoftDecodingTest,
                         testing::Values(std::numeric_limits<double>::infinity(), 20.0, 12.3, 8.3,
                                         6.3));

TEST(SoftDecodingGivesUp, OnNoiseAlone) {
  const ChannelSymbols none{};
  for (unsigned seed = 1; seed <= 3; ++seed) {
    const auto decoded =
        DecodeTonePowers(Heard(none, -std::numeric_limits<double>::infinity(), 1.0, seed), {1000});
    EXPECT_FALSE(decoded) << MessageText(decoded->message);
  }
}

TEST(SoftDecodingTest, CountsSymbolsAndSyncAsHeard) {
  const ChannelSymbols sent = EncodeMessage(Messages()[0]).symbols;
  TonePowers p = Heard(sent, 20.0, 1.0, 7);
  p[5][sent[5] ^ 1U] = 1e9F;  // a burst on the other tone of the pair: sync bit wrong
  ChannelSymbols expected = sent;
  expected[5] ^= 1U;
  EXPECT_EQ(StrongestTones(p), expected);
  EXPECT_EQ(SyncAgreeing(expected), 161U);
}

TEST(CallFillInTest, FillsTypeThreeFromTheCallWhoseHashItCarries) {
  std::vector<Message> heard = Messages();  // 2, 3, 1, 3
  for (Message& m : heard) {
    if (m.type == MessageType::kHashed) m.call.fill(' ');
  }
  // A type 3 heard first learns its call from the later type 2; one of an unknown call stays.
  std::vector<Message> order = {heard[1], heard[0], heard[3], heard[2], heard[1]};
  order.back().call_hash ^= 1U;
  std::string texts;
  for (const Message& m : FillInCalls(order)) texts += MessageText(m) + " | ";
  EXPECT_EQ(texts,
            "<PJ4/K1ABC> FK52UD 37 | PJ4/K1ABC 37 | <K1ABC> FN42AX 37 | K1ABC FN42 37 | "
            "<...> FK52UD 37 | ");
}

}  // namespace
}  // namespace tonepak
