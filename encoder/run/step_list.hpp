// The steps of a run as they are planned, one after another: shared by the WSPR and FST4W runs.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "run_steps.hpp"

namespace tonepak {

class StepList {
 public:
  void Print(TextRole role, std::string text) {
    steps_.push_back({RunStep::Kind::kPrint, role, std::move(text), nullptr, {}});
  }
  void Complain(TextRole role, std::string text) {
    steps_.push_back({RunStep::Kind::kComplain, role, std::move(text), nullptr, {}});
  }
  void Write(const char* name, std::vector<std::uint8_t> bytes) {
    steps_.push_back({RunStep::Kind::kWrite, TextRole::kPlain, {}, name, std::move(bytes)});
  }
  void Write(const char* name, const std::string& text) {
    Write(name, std::vector<std::uint8_t>(text.begin(), text.end()));
  }
  std::vector<RunStep> Take() { return std::move(steps_); }

 private:
  std::vector<RunStep> steps_;
};

}  // namespace tonepak
