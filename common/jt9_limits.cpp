// The measured limits of jt9, one table a period and fault.
#include "jt9_limits.hpp"

namespace fst4w {
namespace {

struct Jt9Limit {
  int periodS;
  Jt9Fault fault;
  wspr::Tolerance tolerance;
};

#include "jt9_limits_table.inc"

}  // namespace

const wspr::Tolerance* Jt9Tolerance(const Period& period, Jt9Fault fault) {
  for (const Jt9Limit& limit : kJt9Limits) {
    if (limit.periodS == period.seconds && limit.fault == fault) return &limit.tolerance;
  }
  return nullptr;
}

}  // namespace fst4w
