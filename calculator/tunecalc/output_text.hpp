// What tunecalc prints for one CalcOutputs: plain text for people, or one JSON object.
#pragma once

#include <optional>
#include <string>

#include "balloon_channels.hpp"
#include "tuneworks_core.hpp"

namespace tunecalc {

// {"clock":...,"ddsFreq":...,"colour":...,"results":...,"overflow":...,"actual":...,"band":...,
// "si5351":...}
// and a line end; a member whose output was not produced is null (colour also when it was left
// unchanged). "actual" is null (nothing to report, or no tones the DDS can make) or
// {"settingHz","settingErrorHz","tonesHz":[4],"stepHz","stepErrorPercent","centreErrorHz",
// "decoderLossDb" (null when unknown),"decodable"}; "band" is null or {"name","dialHz",
// "windowLowHz","windowHighHz","audioHz","inside","marginHz","note"}; "si5351" is null for a DDS,
// else {"method" ("pll" or "multisynth"),"crystalHz","rDivider","tones":[4 (none with a problem)
// of {"hz","pll":[a,b,c],"multisynth":[a,b,c],"pllRegisters":[8 bytes],"multisynthRegisters":
// [8 bytes]}],"stepHz","stepErrorPercent","exactStep","problem" (null or the red sentence)};
// with a balloon channel, last, "channel": {"number","band","id","regularMinute",
// "telemetryMinute","lane","laneCentreHz" (the RF frequency, dial + "laneAudioHz"),
// "laneAudioHz"}.
// Numbers in the shortest form that reads back as the same double.
std::string JsonOutput(const tuneworks::CalcOutputs& out,
                       const std::optional<tuneworks::ActualFrequencies>& actual = std::nullopt,
                       const std::optional<tuneworks::BandCheck>& band = std::nullopt,
                       const std::optional<balloon::Channel>& channel = std::nullopt);

// The lines that introduce a balloon channel's calculation, each ending in "\n", then an empty
// line: the channel and band, its ID characters, the minutes of its two messages and its lane.
std::string ChannelText(const balloon::Channel& channel);

// The lines for a terminal, each ending in "\n": "DDS Clock" and "DDS Output Hz" with their
// texts, a warning line when the colour is red, an empty line and the report with its CR LF
// turned into "\n", ended by one "\n" unless it already ends with a line end (as its first
// stage does, when an overflow stopped the calculation). Outputs that were not produced are left
// out. With tones, an empty line and their figures (tuneworks::ActualFiguresText) follow, then
// with `band` a line "WSPR band" and its note; with a fault instead, an empty line that says why
// there are no tones.
std::string PlainOutput(const tuneworks::CalcOutputs& out, const tuneworks::ActualTones& tones = {},
                        const std::optional<tuneworks::BandCheck>& band = std::nullopt);

}  // namespace tunecalc
