#pragma once

#include "BriefingColours.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Briefing pages are rich text (RTF) in the editor and plain text with colour codes in the game.
namespace zev::build {

struct BriefingConversion {
    bool ok = false;
    // The game text: the page's characters, a colour code at each change to one of the four
    // briefing colours, and "\n&X" at the end. After a failure it holds what was converted up
    // to the fault, without the end mark.
    std::string text;
};

// Converts one RTF page to the game's briefing text. Fails on unbalanced groups, a bad "\'"
// escape and input that ends inside a control word.
BriefingConversion convertBriefingRtf(std::span<const std::uint8_t> rtf);

// A run of briefing text in one colour.
struct ColourRun {
    std::string text; // "\n" breaks lines
    // None: the page's default colour, which gives the game no colour code.
    std::optional<Rgb> colour;
    friend bool operator==(const ColourRun&, const ColourRun&) = default;
};

// A page read back into coloured runs, as the briefing editor shows it. The colour of a run is
// the one the game text would have after the same reading: changes stay in effect across group
// ends, as they do in the conversion. `ok` is false where the conversion would fail; `runs`
// then hold what was read up to the fault.
struct BriefingRuns {
    bool ok = false;
    std::vector<ColourRun> runs;
};
BriefingRuns readBriefingRtf(std::span<const std::uint8_t> rtf);

// The RTF of a page made of coloured runs, as the briefing editor stores it: a colour table with
// every colour used (explicit red, green and blue words), a "\cf" at each colour change and
// "\par" at each line end. Converting it gives the runs' text with their colour codes; reading
// it gives the runs back (adjacent runs of one colour joined, empty ones left out).
std::string writeBriefingRtf(const std::vector<ColourRun>& runs);

} // namespace zev::build
