#include "SkyGround.h"

#include "common/FileIo.h"
#include "common/FixedText.h"
#include "common/IniFile.h"
#include "common/Numbers.h"
#include "mission/ProjectName.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <vector>

namespace zev::build {

using mission::MissionHeader;

MissionType missionType(const MissionHeader& header) {
    const bool patch = header.byte(MissionHeader::patch) != 0;
    const bool dfx = header.byte(MissionHeader::dfxFlag1) != 0;
    if (patch && dfx)
        return MissionType::Patch3dfx;
    if (patch)
        return MissionType::Patch8Bit;
    return MissionType::DosStandard;
}

bool isPatchMission(const MissionHeader& header) {
    return missionType(header) != MissionType::DosStandard;
}

std::array<std::uint8_t, kSkyGroundMemberSize> skyGroundParameters(const MissionHeader& header) {
    std::array<std::uint8_t, kSkyGroundMemberSize> out{};
    out[0] = missionType(header) == MissionType::Patch3dfx ? 1 : 0;
    const auto options =
        header.bytes().subspan(MissionHeader::dfxOptionsOffset, kSkyGroundMemberSize - 1);
    std::copy(options.begin(), options.end(), out.begin() + 1);
    return out;
}

namespace {

constexpr const char* kShortForm = "mission=%s globalintensity=%d tile_ground=%d grounddelta=%d "
                                   "ground_max=%d shadowtable=%d gclip=%d,%d,%d";
constexpr const char* kFullForm =
    "mission=%s globalintensity=%d tile_ground=%d grounddelta=%d ground_max=%d shadowtable=%d "
    "gclip=%d,%d,%d amb=%d,%d,%d wa=%d,%d,%d,%s,%d,%d,%d wb=%d,%d,%d,%s,%d,%d,%d fog=%d,%d,%d "
    "density=%f,%f,%f sky=%d,%d,%d skyAnim=%f,%f";

// Fills the form: the first conversion takes the project name, every later one the next
// option value, written as its kind in the header says.
std::string fillForm(const char* form, const MissionHeader& header, std::string_view project) {
    std::string out;
    int value = -1;
    for (const char* p = form; *p; ++p) {
        if (*p != '%') {
            out += *p;
            continue;
        }
        ++p;
        if (value < 0) {
            out += project;
        } else {
            switch (MissionHeader::dfxOptionKind(value)) {
            case MissionHeader::DfxKind::Int:
                out += std::to_string(header.int32(MissionHeader::dfxInt(value)));
                break;
            case MissionHeader::DfxKind::Letter:
                out += header.text(MissionHeader::dfxLetter(value));
                break;
            case MissionHeader::DfxKind::Float:
                out += common::cFloat(header.float32(MissionHeader::dfxFloat(value)));
                break;
            }
        }
        ++value;
    }
    return out;
}

// Values and keys of a line are separated by blanks or tabs.
bool endsValue(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

struct TextLine {
    std::size_t start;      // first character
    std::size_t contentEnd; // where the line end begins
    std::size_t end;        // after the line end
};

std::vector<TextLine> splitLines(std::string_view text) {
    std::vector<TextLine> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t nl = text.find('\n', start);
        if (nl == std::string_view::npos) {
            lines.push_back({start, text.size(), text.size()});
            break;
        }
        const std::size_t contentEnd = (nl > start && text[nl - 1] == '\r') ? nl - 1 : nl;
        lines.push_back({start, contentEnd, nl + 1});
        start = nl + 1;
    }
    return lines;
}

} // namespace

std::string skyGroundLine(const MissionHeader& header, std::string_view project) {
    return fillForm(missionType(header) == MissionType::Patch3dfx ? kFullForm : kShortForm, header,
                    project);
}

bool isSkyGroundLineOf(std::string_view line, std::string_view project) {
    if (line.find('#') != std::string_view::npos || project.empty())
        return false;
    // Only the value of the line's "mission=" key names its mission: other keys hold numbers,
    // and a project named "7" must not take the line of a mission with "shadowtable=7".
    constexpr std::string_view key = "mission=";
    for (std::size_t at = 0; at + key.size() <= line.size(); ++at) {
        if ((at > 0 && !endsValue(line[at - 1])) ||
            !common::equalsIgnoreCase(line.substr(at, key.size()), key))
            continue;
        const std::size_t start = at + key.size();
        std::size_t end = start;
        while (end < line.size() && !endsValue(line[end]))
            ++end;
        return common::equalsIgnoreCase(line.substr(start, end - start), project);
    }
    return false;
}

std::string updatedSkyGroundText(std::string_view text, std::string_view project,
                                 std::string_view line) {
    const auto lines = splitLines(text);
    const TextLine* match = nullptr;
    for (const auto& l : lines)
        if (isSkyGroundLineOf(text.substr(l.start, l.contentEnd - l.start), project))
            match = &l;

    std::string out;
    if (!match) {
        const bool lfOnly = text.find('\n') != std::string_view::npos &&
                            text.find("\r\n") == std::string_view::npos;
        const std::string_view eol = lfOnly ? "\n" : "\r\n";
        out.reserve(text.size() + line.size() + 32);
        out.append(text);
        out.append(eol).append("# Added by ZEVEDIT 3D").append(eol).append(line);
        return out;
    }
    const std::size_t oldLength = match->contentEnd - match->start;
    out.append(text.substr(0, match->start));
    out.append(line);
    if (line.size() < oldLength)
        out.append(oldLength - line.size(), ' ');
    out.append(text.substr(match->contentEnd));
    return out;
}

bool updateSkyGroundFile(const std::filesystem::path& gameDirectory, std::string_view project,
                         std::string_view line) {
    // Only names every command takes: a blank ends the value, "#" starts a comment, so the line
    // of such a name would never be found again (and each update would add one more).
    if (mission::projectNameProblem(project))
        return false;
    const auto path = common::resolveCaseInsensitive(gameDirectory, "skygnd.par");
    std::error_code ec;
    std::string text;
    if (std::filesystem::exists(path, ec)) {
        const auto bytes = common::readWholeFile(path);
        if (!bytes)
            return false;
        text.assign(bytes->begin(), bytes->end());
    } else if (ec) {
        return false;
    }
    const std::string updated = updatedSkyGroundText(text, project, line);
    const auto data =
        std::span(reinterpret_cast<const std::uint8_t*>(updated.data()), updated.size());
    return common::writeFileAtomically(path, data) == common::WriteResult::Written;
}

} // namespace zev::build
