// Analysing a recording that has been read, and judging each transmission found in it.
#include "report.hpp"

#include <utility>

namespace beaconcheck {

Report MakeReport(std::string file, const Recording& recording, std::optional<double> dial_mhz,
                  const tonepak::IntendedTransmissions& intended,
                  std::optional<int> balloon_channel) {
  Report report;
  report.file = std::move(file);
  report.sample_rate_hz = recording.sample_rate_hz;
  report.seconds = recording.Seconds();
  report.dial_mhz = dial_mhz;
  if (!report.dial_mhz && recording.dial_mhz > 0.0) report.dial_mhz = recording.dial_mhz;
  report.intended = intended;
  Analysis analysis = Analyse(recording);
  report.transmissions = std::move(analysis.transmissions);
  report.carriers = std::move(analysis.carriers);
  for (const Transmission& t : report.transmissions) report.verdicts.push_back(Judge(t, intended));
  report.balloon = ReadBalloon(report.transmissions, report.dial_mhz,
                               StartMinuteFromName(report.file), balloon_channel);
  return report;
}

}  // namespace beaconcheck
