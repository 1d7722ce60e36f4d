// Fixed decimals through snprintf on the "C" locale's numbers (a program never sets another).
#include "band_truth.hpp"

#include <cstdio>

namespace measure {
namespace {

template <typename... Args>
std::string Format(const char* format, Args... args) {
  char line[256];
  const int n = std::snprintf(line, sizeof line, format, args...);
  return n > 0 ? std::string(line, static_cast<std::size_t>(n)) : std::string();
}

const char* OnOff(bool on) { return on ? "on" : "off"; }

}  // namespace

std::string TruthText(const BandOptions& o, const std::vector<Beacon>& beacons, double noise_lsb) {
  std::string text = "# busy_band: a crowded WSPR band, the beacons it holds\n";
  text += Format("# seed %llu\n", static_cast<unsigned long long>(o.seed));
  text += Format("# beacons %zu\n", beacons.size());
  text += Format("# rate %.0f Hz, %.1f s, 16-bit mono; the file starts at an even minute\n",
                 o.sample_rate_hz, o.seconds);
  text += Format("# snr %.1f to %.1f dB in 2500 Hz, white noise at %.1f LSB\n", o.snr_low_db,
                 o.snr_high_db, noise_lsb);
  text += Format("# fading %s (coherence %.1f s, SNR of the mean power)\n", OnOff(o.fading),
                 kFadingCoherenceS);
  text +=
      Format("# ssb %s (300-2700 Hz passband sloping down, mains hum at 50 Hz)\n", OnOff(o.ssb));
  text += Format("# ppm %+.1f (frequencies and times below are the recording's)\n", o.ppm);
  if (o.carrier_hz) {
    text += Format("# carrier %.3f Hz at %+.1f dB\n", *o.carrier_hz, kCarrierSnrDb);
  } else {
    text += "# carrier none\n";
  }
  text += "message\tcentre_hz\ttone0_hz\tdrift_hz\tstart_s\tdt_s\tsnr_db\tfading\n";
  for (const Beacon& b : beacons) {
    text += Format("%s\t%.4f\t%.4f\t%.4f\t%.5f\t%.5f\t%.2f\t%s\n", b.message.c_str(), b.centre_hz,
                   b.tone0_hz, b.drift_hz, b.start_s, b.DtS(), b.snr_db, OnOff(b.fading));
  }
  return text;
}

}  // namespace measure
