// The --json report: {"file", "sampleRate", "seconds", "transmissions": [...], "carriers": [...]},
// and "balloon" when the recording holds a telemetry frame or a channel is expected.
#include <cmath>

#include "json_writer.hpp"
#include "message_unpacking.hpp"
#include "report.hpp"

namespace beaconcheck {
namespace {

// JSON has no infinity or NaN; a figure that is not finite would be a fault upstream, and is
// written as 0 rather than break the object.
double Finite(double value) { return std::isfinite(value) ? value : 0.0; }

void Array4(wspr::JsonWriter& j, const std::array<double, 4>& values, int decimals) {
  j.BeginArray();
  for (const double v : values) j.Number(Finite(v), decimals);
  j.EndArray();
}

template <typename T>
void IntegerOrNull(wspr::JsonWriter& j, const std::optional<T>& value) {
  if (value) {
    j.Integer(*value);
  } else {
    j.Null();
  }
}

}  // namespace

void AddTelemetryKeys(wspr::JsonWriter& j, const TelemetryFrame& f) {
  j.Key("lane");
  IntegerOrNull(j, f.lane);
  j.Key("channel");
  IntegerOrNull(j, f.channel);
  j.Key("telemetry");
  if (!f.telemetry) {
    j.Null();
    return;
  }
  const balloon::Telemetry& t = *f.telemetry;
  j.BeginObject();
  j.Key("id").String(t.id);
  j.Key("subsquare").String(t.subsquare);
  j.Key("altitudeM").Integer(t.altitudeM);
  j.Key("temperatureC").Integer(t.temperatureC);
  j.Key("volts").Number(t.volts, 2);
  j.Key("knots").Integer(t.knots);
  j.Key("gpsValid").Bool(t.gpsValid);
  j.EndObject();
}

namespace {

void AddBalloon(wspr::JsonWriter& j, const BalloonReading& b) {
  j.Key("balloon").BeginObject();
  j.Key("band");
  if (b.band.empty()) {
    j.Null();
  } else {
    j.String(b.band);
  }
  j.Key("expectedChannel");
  IntegerOrNull(j, b.expected ? std::optional<int>(b.expected->number) : std::nullopt);
  j.Key("pairs").BeginArray();
  for (const BalloonPair& p : b.pairs) {
    j.BeginObject();
    j.Key("regular").Integer(static_cast<long long>(p.regular));
    j.Key("telemetry").Integer(static_cast<long long>(p.telemetry));
    j.Key("lane").Integer(p.lane);
    j.Key("secondsApart").Number(Finite(p.seconds_apart), 2);
    j.Key("locator").String(p.locator);
    j.EndObject();
  }
  j.EndArray();
  j.Key("faults").BeginArray();
  for (const std::string& fault : b.faults) j.String(fault);
  j.EndArray();
  j.EndObject();
}

void AddTransmission(wspr::JsonWriter& j, const Report& report, std::size_t n) {
  const Transmission& t = report.transmissions[n];
  const Verdict& v = report.verdicts[n];
  j.BeginObject();
  j.Key("carrier").Bool(t.carrier);
  j.Key("startS").Number(Finite(t.start_s), 4);
  j.Key("dtS").Number(Finite(t.dt_s), 4);
  j.Key("tonesHz");
  Array4(j, t.tones_hz, 4);
  j.Key("stepHz").Number(Finite(t.step_hz), 5);
  j.Key("stepErrorPercent").Number(Finite(t.step_error_percent), 4);
  j.Key("evenlySpaced").Bool(t.evenly_spaced);
  j.Key("driftHz").Number(Finite(t.drift_hz), 3);
  j.Key("symbolMs").Number(Finite(t.symbol_ms), 4);
  j.Key("symbolErrorPercent").Number(Finite(t.symbol_error_percent), 5);
  j.Key("symbolsSent").Integer(static_cast<long long>(t.symbols_sent));
  j.Key("beginsBeforeRecording").Bool(t.begins_before_recording);
  j.Key("endsAfterRecording").Bool(t.ends_after_recording);
  j.Key("snrDb").Number(Finite(t.snr_db), 2);
  j.Key("syncAgreeing").Integer(static_cast<long long>(t.sync_agreeing));
  j.Key("symbols").BeginArray();
  for (std::size_t i = 0; i < t.symbols_sent; ++i) j.Integer(t.heard[i]);
  j.EndArray();
  j.Key("message");
  if (t.message) {
    j.String(tonepak::MessageText(*t.message));
  } else {
    j.Null();
  }
  j.Key("window").BeginObject();
  j.Key("inside").Bool(v.inside_window);
  j.Key("missHz").Number(Finite(v.window_miss_hz), 2);
  j.EndObject();
  j.Key("rf");
  if (report.dial_mhz) {
    const RadioFrequencies rf = AtRadio(t, *report.dial_mhz);
    j.BeginObject().Key("tonesHz");
    Array4(j, rf.tones_hz, 2);
    j.Key("band");
    if (rf.band.empty()) {
      j.Null();
    } else {
      j.String(rf.band);
    }
    j.EndObject();
  } else {
    j.Null();
  }
  j.Key("expected");
  if (v.expected) {
    j.BeginObject();
    j.Key("message").String(tonepak::MessageText(report.intended.messages[v.expected->intended]));
    j.Key("differing").BeginArray();
    for (const std::size_t i : v.expected->differing) j.Integer(static_cast<long long>(i));
    j.EndArray();
    j.Key("fault").String(tonepak::FaultName(v.expected->fault));
    j.Key("shift").Integer(v.expected->shift);
    j.EndObject();
  } else {
    j.Null();
  }
  if (const TelemetryFrame* f = report.balloon.FrameOf(n)) AddTelemetryKeys(j, *f);
  j.Key("decodable").Bool(v.decodable);
  j.Key("problems").BeginArray();
  for (const std::string& p : v.problems) j.String(p);
  j.EndArray();
  j.EndObject();
}

}  // namespace

std::string JsonReport(const Report& report) {
  wspr::JsonWriter j;
  j.BeginObject();
  j.Key("file").String(report.file);
  j.Key("sampleRate").Number(Finite(report.sample_rate_hz), 0);
  j.Key("seconds").Number(Finite(report.seconds), 3);
  j.Key("transmissions").BeginArray();
  for (std::size_t n = 0; n < report.transmissions.size(); ++n) AddTransmission(j, report, n);
  j.EndArray();
  j.Key("carriers").BeginArray();
  for (const Carrier& c : report.carriers) {
    j.BeginObject();
    j.Key("frequencyHz").Number(Finite(c.frequency_hz), 3);
    j.Key("startS").Number(Finite(c.start_s), 3);
    j.Key("seconds").Number(Finite(c.seconds), 3);
    j.Key("snrDb").Number(Finite(c.snr_db), 2);
    j.EndObject();
  }
  j.EndArray();
  if (report.balloon.Shown()) AddBalloon(j, report.balloon);
  j.EndObject();
  return j.Text() + "\n";
}

}  // namespace beaconcheck
