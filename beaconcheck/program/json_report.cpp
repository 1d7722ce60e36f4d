// The --json report: {"file", "sampleRate", "seconds", "transmissions": [...]}.
#include "json_text.hpp"
#include "message_unpacking.hpp"
#include "report.hpp"

namespace beaconcheck {
namespace {

void Array4(JsonText& j, const std::array<double, 4>& values, int decimals) {
  j.Open('[');
  for (const double v : values) j.Number(v, decimals);
  j.Close(']');
}

void AddTransmission(JsonText& j, const Report& report, std::size_t n) {
  const Transmission& t = report.transmissions[n];
  const Verdict& v = report.verdicts[n];
  j.Open('{');
  j.Key("startS").Number(t.start_s, 4);
  j.Key("dtS").Number(t.dt_s, 4);
  j.Key("tonesHz");
  Array4(j, t.tones_hz, 4);
  j.Key("stepHz").Number(t.step_hz, 5);
  j.Key("stepErrorPercent").Number(t.step_error_percent, 4);
  j.Key("evenlySpaced").Bool(t.evenly_spaced);
  j.Key("driftHz").Number(t.drift_hz, 3);
  j.Key("symbolMs").Number(t.symbol_ms, 4);
  j.Key("symbolErrorPercent").Number(t.symbol_error_percent, 5);
  j.Key("symbolsSent").Integer(static_cast<long long>(t.symbols_sent));
  j.Key("snrDb").Number(t.snr_db, 2);
  j.Key("syncAgreeing").Integer(static_cast<long long>(t.sync_agreeing));
  j.Key("symbols").Open('[');
  for (std::size_t i = 0; i < t.symbols_sent; ++i) j.Integer(t.heard[i]);
  j.Close(']');
  j.Key("message");
  if (t.message) {
    j.String(tonepak::MessageText(*t.message));
  } else {
    j.Null();
  }
  j.Key("window").Open('{');
  j.Key("inside").Bool(v.inside_window);
  j.Key("missHz").Number(v.window_miss_hz, 2);
  j.Close('}');
  j.Key("rf");
  if (report.dial_mhz) {
    const RadioFrequencies rf = AtRadio(t, *report.dial_mhz);
    j.Open('{').Key("tonesHz");
    Array4(j, rf.tones_hz, 2);
    j.Key("band");
    if (rf.band.empty()) {
      j.Null();
    } else {
      j.String(rf.band);
    }
    j.Close('}');
  } else {
    j.Null();
  }
  j.Key("expected");
  if (v.expected) {
    j.Open('{');
    j.Key("message").String(tonepak::MessageText(report.intended.messages[v.expected->intended]));
    j.Key("differing").Open('[');
    for (const std::size_t i : v.expected->differing) j.Integer(static_cast<long long>(i));
    j.Close(']');
    j.Key("fault").String(tonepak::FaultName(v.expected->fault));
    j.Key("shift").Integer(v.expected->shift);
    j.Close('}');
  } else {
    j.Null();
  }
  j.Key("decodable").Bool(v.decodable);
  j.Key("problems").Open('[');
  for (const std::string& p : v.problems) j.String(p);
  j.Close(']');
  j.Close('}');
}

}  // namespace

std::string JsonReport(const Report& report) {
  JsonText j;
  j.Open('{');
  j.Key("file").String(report.file);
  j.Key("sampleRate").Number(report.sample_rate_hz, 0);
  j.Key("seconds").Number(report.seconds, 3);
  j.Key("transmissions").Open('[');
  for (std::size_t n = 0; n < report.transmissions.size(); ++n) AddTransmission(j, report, n);
  j.Close(']');
  j.Close('}');
  return j.Text() + "\n";
}

}  // namespace beaconcheck
