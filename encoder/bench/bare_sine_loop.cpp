// The floor for a tonepak run: 1,440,000 sines and 2,880,024 bytes through a buffered stream.
#include <cmath>
#include <cstdio>
#include <numbers>

int main(int argc, char** argv) {
  std::FILE* out = std::fopen(argc > 1 ? argv[1] : "bare.au", "wb");
  if (out == nullptr) return 1;
  for (int i = 0; i < 24; ++i) std::putc(0, out);
  const double step = 2.0 * std::numbers::pi / 12000.0 * 1500.0;
  double phase = 0.0;
  for (int n = 0; n < 1'440'000; ++n) {
    phase += step;
    const auto v = static_cast<short>(std::sin(phase) * 32767.0);
    std::putc((v >> 8) & 0xFF, out);
    std::putc(v & 0xFF, out);
  }
  return std::fclose(out) == 0 ? 0 : 1;
}
