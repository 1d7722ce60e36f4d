// The --json report of an FST4W recording: {"file", "sampleRate", "seconds", "mode",
// "transmissions": [...]}.
#include <cmath>

#include "balloon_reading.hpp"
#include "fst4w_report.hpp"
#include "json_writer.hpp"
#include "report.hpp"

namespace beaconcheck {
namespace {

double Finite(double value) { return std::isfinite(value) ? value : 0.0; }

void AddTransmission(wspr::JsonWriter& j, const Fst4wReport& report, std::size_t n) {
  const Fst4wTransmission& t = report.transmissions[n];
  j.BeginObject();
  j.Key("mode").String(beacon::NameOf(t.mode).name);
  j.Key("startS").Number(Finite(t.start_s), 4);
  j.Key("dtS").Number(Finite(t.dt_s), 4);
  j.Key("tonesHz").BeginArray();
  for (const double v : t.tones_hz) j.Number(Finite(v), 4);
  j.EndArray();
  j.Key("stepHz").Number(Finite(t.step_hz), 5);
  j.Key("stepErrorPercent").Number(Finite(t.step_error_percent), 4);
  j.Key("driftHz").Number(Finite(t.drift_hz), 4);
  j.Key("symbolMs").Number(Finite(t.symbol_ms), 4);
  j.Key("symbolErrorPercent").Number(Finite(t.symbol_error_percent), 5);
  j.Key("snrDb").Number(Finite(t.snr_db), 2);
  j.Key("syncErrors").Integer(static_cast<long long>(t.sync_errors));
  j.Key("symbols").BeginArray();
  for (const auto s : t.heard) j.Integer(s);
  j.EndArray();
  j.Key("message");
  if (t.decoded) {
    j.String(t.message);
  } else {
    j.Null();
  }
  const double centre_hz = (t.tones_hz[0] + t.tones_hz[3]) / 2.0;
  if (const auto frame =
          t.decoded ? TelemetryFrameOf(t.message, centre_hz, report.dial_mhz) : std::nullopt) {
    AddTelemetryKeys(j, *frame);
  }
  j.Key("decodedBy");
  if (t.decoded) {
    j.String(t.decoded->method == tonepak::fst4w::LdpcMethod::kPropagation ? "propagation"
                                                                           : "ordered-statistics");
  } else {
    j.Null();
  }
  j.Key("expected");
  if (report.expected) {
    const Fst4wExplanation& e = report.explanations[n];
    j.BeginObject();
    j.Key("message").String(report.expected->message);
    j.Key("differing").BeginArray();
    for (const std::size_t i : e.differing) j.Integer(static_cast<long long>(i));
    j.EndArray();
    j.Key("fault").String(tonepak::FaultName(e.fault));
    j.Key("shift").Integer(e.shift);
    j.EndObject();
  } else {
    j.Null();
  }
  j.Key("decodable").Bool(t.decoded.has_value());
  j.EndObject();
}

}  // namespace

std::string Fst4wJsonReport(const Fst4wReport& report) {
  wspr::JsonWriter j;
  j.BeginObject();
  j.Key("file").String(report.file);
  j.Key("sampleRate").Number(Finite(report.sample_rate_hz), 0);
  j.Key("seconds").Number(Finite(report.seconds), 3);
  j.Key("mode").String(beacon::NameOf(report.mode).name);
  j.Key("transmissions").BeginArray();
  for (std::size_t n = 0; n < report.transmissions.size(); ++n) AddTransmission(j, report, n);
  j.EndArray();
  j.EndObject();
  return j.Text() + "\n";
}

}  // namespace beaconcheck
