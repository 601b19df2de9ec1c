#include "RtfBriefing.h"

#include "SourceFormat.h"

#include <algorithm>

namespace zev::build {

std::string writeBriefingRtf(const std::vector<ColourRun>& runs) {
    // Colours in order of first use. Text starts in the default colour; going back to it after
    // a colour needs a table entry without colour words, which comes last.
    std::vector<std::optional<Rgb>> table;
    bool needsDefault = false;
    for (const ColourRun& run : runs) {
        if (run.text.empty())
            continue;
        if (run.colour && std::find(table.begin(), table.end(), run.colour) == table.end())
            table.push_back(run.colour);
        if (!run.colour && !table.empty())
            needsDefault = true;
    }
    if (needsDefault)
        table.push_back(std::nullopt);

    std::string out = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\r\n";
    if (!table.empty()) {
        out += "{\\colortbl";
        for (const std::optional<Rgb>& c : table)
            if (c)
                appendf(out, "\\red%d\\green%d\\blue%d;", c->red, c->green, c->blue);
            else
                out += ";";
        out += "}\r\n";
    }
    out += "\\pard\\plain\\f0\\fs20 ";
    std::optional<Rgb> current;
    for (const ColourRun& run : runs) {
        if (run.text.empty())
            continue;
        if (run.colour != current) {
            const auto index = std::find(table.begin(), table.end(), run.colour) - table.begin();
            appendf(out, "\\cf%d ", static_cast<int>(index));
            current = run.colour;
        }
        for (char ch : run.text) {
            const auto c = static_cast<std::uint8_t>(ch);
            switch (c) {
            case '\\':
            case '{':
            case '}':
                out += '\\';
                out += ch;
                break;
            case '\n':
                out += "\\par\r\n";
                break;
            case '\t':
                out += "\\tab ";
                break;
            case '\r':
                // Lines end at "\n"; a carriage return before it is part of that line end.
                break;
            default:
                if (c < 0x20 || c >= 0x80)
                    appendf(out, "\\'%02x", c);
                else
                    out += ch;
                break;
            }
        }
    }
    out += "}\r\n";
    return out;
}

} // namespace zev::build
