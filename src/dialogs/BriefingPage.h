#pragma once

#include "build/RtfBriefing.h"

#include <cstdint>
#include <span>
#include <vector>

class QTextDocument;

namespace zev::dialogs {

// A briefing page in a text control: the coloured runs of its rich text, one character format
// each; text without a colour of its own is in the page's default colour. Loading leaves the
// document unmodified, so a page nobody touched can keep its bytes.
void showBriefingPage(QTextDocument& page, std::span<const std::uint8_t> rtf);

// The page's text as coloured runs: "\n" between paragraphs and at line breaks, characters
// beyond Latin-1 as "?".
std::vector<build::ColourRun> briefingPageRuns(const QTextDocument& page);

// What the page stores: its bytes as loaded when it was not changed, else the rich text of its
// runs.
std::vector<std::uint8_t> storedBriefingPage(const QTextDocument& page,
                                             const std::vector<std::uint8_t>& loaded);

} // namespace zev::dialogs
