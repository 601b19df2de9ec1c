#include "RtfBriefing.h"

#include "SourceFormat.h"

#include <algorithm>

namespace zev::build {

std::string writeBriefingRtf(const std::vector<ColourRun>& runs) {
    std::vector<Rgb> table;
    for (const ColourRun& run : runs)
        if (!run.text.empty() && std::find(table.begin(), table.end(), run.colour) == table.end())
            table.push_back(run.colour);

    std::string out = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\r\n";
    if (!table.empty()) {
        out += "{\\colortbl";
        for (const Rgb& c : table)
            appendf(out, "\\red%d\\green%d\\blue%d;", c.red, c.green, c.blue);
        out += "}\r\n";
    }
    out += "\\pard\\plain\\f0\\fs20 ";
    int current = -1;
    for (const ColourRun& run : runs) {
        if (run.text.empty())
            continue;
        const int index =
            static_cast<int>(std::find(table.begin(), table.end(), run.colour) - table.begin());
        if (index != current) {
            appendf(out, "\\cf%d ", index);
            current = index;
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
