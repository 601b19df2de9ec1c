// Briefing pages: RTF to the game's text with colour codes, and the editor's RTF writer.

#include "build/RtfBriefing.h"

#include <gtest/gtest.h>

using namespace zev::build;

namespace {

BriefingConversion convert(const std::string& rtf) {
    return convertBriefingRtf(
        std::span(reinterpret_cast<const std::uint8_t*>(rtf.data()), rtf.size()));
}

std::span<const std::uint8_t> bytes(const std::string& text) {
    return std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

std::string converted(const std::string& rtf) {
    const BriefingConversion c = convert(rtf);
    EXPECT_TRUE(c.ok) << rtf;
    return c.text;
}

const std::string kFourColours =
    "{\\colortbl\\red255\\green255\\blue255;\\red255\\green0\\blue0;\\red0\\green128\\blue0;"
    "\\red0\\green0\\blue255;\\red12\\green34\\blue56;}";

} // namespace

TEST(RtfBriefing, PlainTextParagraphsTabsAndQuotesBecomeGameText) {
    EXPECT_EQ(converted(""), "\n&X");
    EXPECT_EQ(converted("{\\rtf1\\ansi Hello world}"), "Hello world\n&X");
    // Source line breaks are not text; \par is.
    EXPECT_EQ(converted("{\\rtf1 one\r\ntwo\\par\r\nthree\\par }"), "onetwo\nthree\n\n&X");
    // A backslash before a line break is a paragraph too.
    EXPECT_EQ(converted("{a\\\nb}"), "a\nb\n&X");
    EXPECT_EQ(converted("{\\tab x\\tab\\tab y}"), "\tx\t\ty\n&X");
    EXPECT_EQ(converted("{\\ldblquote Go!\\rdblquote}"), "\"Go!\"\n&X");
    // One blank ends a control word; a second one is text.
    EXPECT_EQ(converted("{\\b  bold\\b0 plain}"), " boldplain\n&X");
    // A control word ends at a non-letter without swallowing it.
    EXPECT_EQ(converted("{\\fs20;x\\i-1y}"), ";xy\n&X");
}

TEST(RtfBriefing, EscapesHexBytesAndBinaryDataAreCopied) {
    EXPECT_EQ(converted("{\\{braces\\} and \\\\}"), "{braces} and \\\n&X");
    EXPECT_EQ(converted("{caf\\'e9 \\'41\\'7a}"), "caf\xe9 Az\n&X");
    EXPECT_EQ(converted("{\\bin3 a{}b}"), "a{}b\n&X");
    EXPECT_EQ(converted("{\\bin0 x}"), "x\n&X");
    // Binary data inside a skipped destination is skipped with it, braces included.
    EXPECT_EQ(converted("{{\\pict\\bin2 }}}after}"), "after\n&X");
    // A bad escape and a control word cut off by the end fail.
    EXPECT_FALSE(convert("{\\'zz}").ok);
    EXPECT_FALSE(convert("{\\'4").ok);
    EXPECT_FALSE(convert("{x}\\").ok);
}

TEST(RtfBriefing, DestinationsAreSkippedAndUnknownWordsIgnored) {
    EXPECT_EQ(converted("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}"
                        "{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}{\\author A}}"
                        "\\viewkind4\\uc1\\pard\\f0\\fs20 Text\\par}"),
              "Text\n\n&X");
    // "\*" skips a destination it does not know, but not one it knows.
    EXPECT_EQ(converted("{{\\*\\generator Editor 1.0;}x}"), "x\n&X");
    EXPECT_EQ(converted("{{\\*\\b kept}}"), "kept\n&X");
    // Hex escapes inside a skipped destination are dropped unchecked.
    EXPECT_EQ(converted("{{\\fonttbl caf\\'zz}ok}"), "ok\n&X");
}

TEST(RtfBriefing, TheFourBriefingColoursWriteTheirCodesAndOthersNothing) {
    EXPECT_EQ(converted("{\\rtf1" + kFourColours +
                        "\\cf0 W\\cf1 R\\cf2 G\\cf3 B\\cf4 other\\cf9 none\\cf-1 neg\\par}"),
              "&WW&RR&GG&BBothernoneneg\n\n&X");
    // "\cf" without a number means entry 0; a repeated colour writes its code again.
    EXPECT_EQ(converted("{" + kFourColours + "\\cf a\\cf0 b}"), "&Wa&Wb\n&X");
}

TEST(RtfBriefing, AnAutomaticFirstColourEntryKeepsItsPlaceAndWritesNoCode) {
    const std::string table = "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}";
    EXPECT_EQ(converted("{\\rtf1" + table + "\\cf1 red\\cf0 auto\\cf2 blue}"),
              "&Rredauto&Bblue\n&X");
    // Missing colour words count as zero; an unfinished last entry still counts.
    EXPECT_EQ(converted("{{\\colortbl\\red255;\\blue255}\\cf0 r\\cf1 b}"), "&Rr&Bb\n&X");
    // Colour words outside the table change nothing.
    EXPECT_EQ(converted("{\\red255\\green0\\blue0 \\cf0 x}"), "x\n&X");
}

TEST(RtfBriefing, UnbalancedGroupsFailAndKeepWhatWasConverted) {
    const BriefingConversion open = convert("{\\rtf1 text{\\b more}");
    EXPECT_FALSE(open.ok);
    EXPECT_EQ(open.text, "textmore");
    const BriefingConversion closed = convert("{a}}b");
    EXPECT_FALSE(closed.ok);
    EXPECT_EQ(closed.text, "a");
}

TEST(RtfBriefing, TheWritersPagesConvertToTheirTextAndColourCodes) {
    const std::vector<ColourRun> runs = {
        {"Mission: {Alpha}\n", kBriefingWhite},
        {"Destroy the\tdepot", kBriefingRed},
        {"", kBriefingBlue},                  // empty runs leave no trace
        {" at nav \\1\\.\r\n", kBriefingRed}, // same colour: no new code
        {"Caf\xe9 \"Zulu\"\n", kBriefingGreen},
        {"grey text ", Rgb{128, 128, 128}},
        {"back to blue", kBriefingBlue},
    };
    const std::string rtf = writeBriefingRtf(runs);
    EXPECT_EQ(converted(rtf), "&WMission: {Alpha}\n&RDestroy the\tdepot at nav \\1\\.\n"
                              "&GCaf\xe9 \"Zulu\"\ngrey text &Bback to blue\n&X");
    // Every colour table entry is explicit, in order of first use.
    EXPECT_NE(
        rtf.find("{\\colortbl\\red255\\green255\\blue255;\\red255\\green0\\blue0;"
                 "\\red0\\green128\\blue0;\\red128\\green128\\blue128;\\red0\\green0\\blue255;}"),
        std::string::npos);

    EXPECT_EQ(converted(writeBriefingRtf({})), "\n&X");
    // A run beginning with a digit or blank is not taken into the control word before it.
    EXPECT_EQ(converted(writeBriefingRtf({{"1 ", kBriefingRed}, {" 2", kBriefingBlue}})),
              "&R1 &B 2\n&X");
}

TEST(RtfBriefing, ReadingTheWritersPagesGivesTheirRunsAndWritingThemAgainTheSameBytes) {
    const std::vector<ColourRun> runs = {
        {"Plain start ", std::nullopt},
        {"Mission {A}\n", kBriefingWhite},
        {"", kBriefingBlue},
        {"red ", kBriefingRed},
        {"still red\tand \\ tab\n", kBriefingRed},
        {"back to plain ", std::nullopt},
        {"Caf\xe9 grey", Rgb{128, 128, 128}},
    };
    const std::string rtf = writeBriefingRtf(runs);
    const BriefingRuns read = readBriefingRtf(bytes(rtf));
    ASSERT_TRUE(read.ok);
    const std::vector<ColourRun> joined = {
        {"Plain start ", std::nullopt},
        {"Mission {A}\n", kBriefingWhite},
        {"red still red\tand \\ tab\n", kBriefingRed},
        {"back to plain ", std::nullopt},
        {"Caf\xe9 grey", Rgb{128, 128, 128}},
    };
    EXPECT_EQ(read.runs, joined);
    EXPECT_EQ(writeBriefingRtf(read.runs), rtf);
    // Going back to the default colour gives the game no code, like a colour of its own.
    EXPECT_EQ(converted(rtf), "Plain start &WMission {A}\n&Rred still red\tand \\ tab\n"
                              "back to plain Caf\xe9 grey\n&X");
    // Only default text: no colour table at all.
    EXPECT_EQ(writeBriefingRtf({{"just text", std::nullopt}}).find("colortbl"), std::string::npos);
}

TEST(RtfBriefing, ReadsPagesOfOtherRichTextEditors) {
    // An empty first table entry is the automatic colour; unknown words and groups of
    // formatting change nothing; a colour stays in effect past the group it was set in.
    const BriefingRuns read = readBriefingRtf(
        bytes("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl ;\\red0\\green0\\blue255;}\r\n"
              "\\viewkind4\\uc1\\pard\\cf1\\lang1033\\f0\\fs20 Blue {\\b bold}\\cf0  auto\\par\r\n"
              "}"));
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.runs,
              (std::vector<ColourRun>{{"Blue bold", kBriefingBlue}, {" auto\n", std::nullopt}}));
    const BriefingRuns broken = readBriefingRtf(bytes("{\\rtf1 open {\\cf0 x}"));
    EXPECT_FALSE(broken.ok);
    EXPECT_EQ(broken.runs, (std::vector<ColourRun>{{"open x", std::nullopt}}));
    EXPECT_TRUE(readBriefingRtf({}).ok);
}
