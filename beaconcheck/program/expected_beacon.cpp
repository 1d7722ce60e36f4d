// The expected beacon picked out of a crowded band, the order of the report, the exit status.
#include <algorithm>
#include <string>

#include "message_unpacking.hpp"
#include "report.hpp"

namespace beaconcheck {
namespace {

bool ExplainedAsOurs(const Transmission& t, const Verdict& v) {
  if (t.carrier || !v.expected) return false;
  return v.expected->fault != tonepak::SymbolFault::kOtherMessage &&
         v.expected->fault != tonepak::SymbolFault::kUnexplained;
}

bool HeardWell(const Verdict& v) { return v.decodable && v.problems.empty() && v.as_intended; }

}  // namespace

std::vector<std::size_t> ExpectedHeard(const Report& report) {
  std::vector<std::size_t> heard;
  if (report.intended.count == 0) return heard;
  for (std::size_t n = 0; n < report.transmissions.size(); ++n) {
    const Transmission& t = report.transmissions[n];
    if (!t.message) continue;
    const std::string text = tonepak::MessageText(*t.message);
    for (std::size_t k = 0; k < report.intended.count; ++k) {
      if (text == tonepak::MessageText(report.intended.messages[k])) {
        heard.push_back(n);
        break;
      }
    }
  }
  if (!heard.empty()) return heard;
  for (std::size_t n = 0; n < report.transmissions.size(); ++n) {
    if (ExplainedAsOurs(report.transmissions[n], report.verdicts[n])) heard.push_back(n);
  }
  return heard;
}

std::vector<std::size_t> ShownOrder(const Report& report) {
  std::vector<std::size_t> order = ExpectedHeard(report);
  for (std::size_t n = 0; n < report.transmissions.size(); ++n) {
    if (std::find(order.begin(), order.end(), n) == order.end()) order.push_back(n);
  }
  return order;
}

std::string ExpectedText(const Report& report) {
  std::string text;
  for (std::size_t k = 0; k < report.intended.count; ++k) {
    if (k > 0) text += " and ";
    text += tonepak::MessageText(report.intended.messages[k]);
  }
  return text;
}

int ExitStatus(const Report& report) {
  if (report.transmissions.empty() || !report.balloon.faults.empty()) return 1;
  if (report.intended.count > 0) {
    const std::vector<std::size_t> heard = ExpectedHeard(report);
    const bool well = std::all_of(heard.begin(), heard.end(),
                                  [&](std::size_t n) { return HeardWell(report.verdicts[n]); });
    return !heard.empty() && well ? 0 : 1;
  }
  return std::all_of(report.verdicts.begin(), report.verdicts.end(), HeardWell) ? 0 : 1;
}

}  // namespace beaconcheck
