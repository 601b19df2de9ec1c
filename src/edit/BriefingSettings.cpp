#include "BriefingSettings.h"

#include "common/Numbers.h"
#include "mission/ProjectName.h"

#include <algorithm>
#include <limits>

namespace zev::edit {

using mission::MissionHeader;

namespace {

int shownMekGroup(std::int32_t stored) {
    return stored >= 0 && stored < kMekGroupCount ? stored : -1;
}

} // namespace

BriefingSettings briefingSettings(const MissionHeader& header) {
    BriefingSettings s;
    s.projectName = header.text(MissionHeader::projectName);
    s.missionTitle = header.text(MissionHeader::missionName);
    s.musicTrack = header.text(MissionHeader::musicTrack);
    s.players = std::clamp(common::leadingInt(header.text(MissionHeader::numberOfPlayers)),
                           kMinPlayers, kMaxPlayers);
    s.freeForAll = header.byte(MissionHeader::freeForAll) != 0;
    s.teamAMekGroup = shownMekGroup(header.int32(MissionHeader::teamAMekGroup));
    s.teamBMekGroup = shownMekGroup(header.int32(MissionHeader::teamBMekGroup));
    return s;
}

const char* briefingSettingsProblem(const BriefingSettings& settings) {
    return mission::projectNameProblem(settings.projectName);
}

void storeBriefingSettings(const BriefingSettings& s, MissionHeader& header) {
    header.setText(MissionHeader::projectName,
                   s.projectName.substr(0, mission::kProjectNameMaxLength));
    header.setText(MissionHeader::missionName, s.missionTitle.substr(0, kMissionTitleMaxLength));
    header.setText(MissionHeader::musicTrack, s.musicTrack.substr(0, kMusicTrackMaxLength));
    // The stored text stays as it was when the count did not change ("04" is four players).
    const std::string stored = header.text(MissionHeader::numberOfPlayers);
    if (common::leadingInt(stored) != s.players)
        header.setText(MissionHeader::numberOfPlayers, common::decimal(s.players));
    header.setByte(MissionHeader::freeForAll, s.freeForAll ? 1 : 0);
    if (s.teamAMekGroup >= 0 && s.teamAMekGroup < kMekGroupCount)
        header.setInt32(MissionHeader::teamAMekGroup, s.teamAMekGroup);
    if (s.teamBMekGroup >= 0 && s.teamBMekGroup < kMekGroupCount)
        header.setInt32(MissionHeader::teamBMekGroup, s.teamBMekGroup);
}

std::int32_t musicTrackNumber(std::string_view text) {
    return static_cast<std::int32_t>(
        common::parseDecimalInRange(text, std::numeric_limits<std::int32_t>::min(),
                                    std::numeric_limits<std::int32_t>::max())
            .value_or(0));
}

} // namespace zev::edit
