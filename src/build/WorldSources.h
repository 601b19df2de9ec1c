#pragma once

#include "mission/MissionDocument.h"

#include <string>

// The texts of the source files written besides the object script, before their line ends
// become CR LF. `project` is the project name, the prefix of every generated file.
namespace zev::build {

std::string mainFileText(const std::string& project);
std::string nameFileText(const std::string& missionName);
std::string limitFileText0(const std::string& maxPlayers, bool freeForAll);
// The team's mek group: 0 clan, 1 inner sphere, 2 both.
std::string limitFileTextTeam(int mekGroup);
std::string paletteFileText(const mission::PaletteRecord& palette);
std::string navPointFileText(const mission::Star& star, int starNumber);
// `player` is 1 to 8.
std::string startPointFileText(const mission::StartPointRecord& start, int player);
std::string worldFileText(const std::string& project);
std::string planetFileText(const std::string& project, const mission::MissionHeader& header,
                           const mission::WeatherRecord& weather,
                           const mission::PaletteRecord& palette);
std::string sceneFileText(const std::string& project, const mission::MissionDocument& document);

// The environment dialog's "Fog World" box sets the 32-bit fog value; its "Star World" box sets
// the flag byte behind the unused run.
bool fogWorld(const mission::MissionHeader& header);
bool starWorld(const mission::MissionHeader& header);
// The 1.1 patch, its 3dfx build and the sky dome option all chosen.
bool skyDome(const mission::MissionHeader& header);

} // namespace zev::build
