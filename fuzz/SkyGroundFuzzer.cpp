// Puts a mission's sky/ground line, made from arbitrary header values, into arbitrary existing
// "skygnd.par" contents. The lines around the project's line must stay as they were, the
// project's line afterwards is the new one, and a second update with the same line changes
// nothing.

#include "build/SkyGround.h"
#include "mission/ProjectName.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using zev::build::isSkyGroundLineOf;
using zev::mission::MissionHeader;

void require(bool condition) {
    if (!condition)
        std::abort();
}

struct Line {
    std::size_t start;
    std::size_t contentEnd; // before "\r\n" or "\n"
};

// The last line of `text` that is the project's line.
std::optional<Line> lastProjectLine(std::string_view text, std::string_view project) {
    std::optional<Line> last;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t nl = std::min(text.find('\n', start), text.size());
        std::size_t contentEnd = nl;
        if (nl < text.size() && nl > start && text[nl - 1] == '\r')
            --contentEnd;
        if (isSkyGroundLineOf(text.substr(start, contentEnd - start), project))
            last = Line{start, contentEnd};
        start = nl + 1;
    }
    return last;
}

MissionHeader headerFrom(FuzzedDataProvider& in) {
    MissionHeader header;
    const std::uint8_t flags = in.ConsumeIntegral<std::uint8_t>();
    header.setByte(MissionHeader::patch, flags & 1);
    header.setByte(MissionHeader::dfxFlag1, (flags >> 1) & 1);
    const std::vector<std::uint8_t> options =
        in.ConsumeBytes<std::uint8_t>(MissionHeader::size - MissionHeader::dfxOptionsOffset);
    std::copy(options.begin(), options.end(),
              header.bytes().begin() + MissionHeader::dfxOptionsOffset);
    header.setText(MissionHeader::projectName, in.ConsumeRandomLengthString(12));
    return header;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const bool ownProject = in.ConsumeBool();
    const MissionHeader header = headerFrom(in);
    // The build passes the header's project name; any other text is tried as well.
    const std::string project =
        ownProject ? in.ConsumeRandomLengthString(16) : header.text(MissionHeader::projectName);
    const std::string text = in.ConsumeRemainingBytesAsString();

    (void)zev::build::skyGroundParameters(header);
    const std::string line = zev::build::skyGroundLine(header, project);
    require(line.starts_with("mission=" + project + " globalintensity="));
    const std::string updated = zev::build::updatedSkyGroundText(text, project, line);

    const auto match = lastProjectLine(text, project);
    if (match) {
        // Overwritten in place: everything before and after the old line is kept.
        const std::size_t oldLength = match->contentEnd - match->start;
        require(updated.size() == text.size() - oldLength + std::max(oldLength, line.size()));
        require(updated.compare(0, match->start, text, 0, match->start) == 0);
        require(updated.compare(updated.size() - (text.size() - match->contentEnd),
                                std::string::npos, text, match->contentEnd) == 0);
        require(updated.compare(match->start, line.size(), line) == 0);
    } else {
        const bool lfOnly =
            text.find('\n') != std::string::npos && text.find("\r\n") == std::string::npos;
        const std::string eol = lfOnly ? "\n" : "\r\n";
        require(updated == text + eol + "# Added by ZEVEDIT 3D" + eol + line);
    }

    // The build writes lines only for project names every command takes (no blank, no comment
    // mark) and the header's letters never hold a line end or a comment mark.
    const bool plainLine = zev::mission::projectNameProblem(project) == nullptr &&
                           line.find_first_of("#\r\n") == std::string::npos;
    if (!plainLine)
        return 0;
    require(isSkyGroundLineOf(line, project));
    const auto now = lastProjectLine(updated, project);
    require(now.has_value());
    std::string_view written(updated.data() + now->start, now->contentEnd - now->start);
    while (written.ends_with(' '))
        written.remove_suffix(1);
    require(written == line);
    const auto lineEnds = [](std::string_view s) { return std::count(s.begin(), s.end(), '\n'); };
    require(lineEnds(updated) == lineEnds(text) + (match ? 0 : 2));
    require(zev::build::updatedSkyGroundText(updated, project, line) == updated);
    return 0;
}
