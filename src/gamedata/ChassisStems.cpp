#include "ChassisStems.h"

#include "common/FileIo.h"

#include <algorithm>
#include <cctype>

namespace zev::gamedata {

namespace {
// A list of names typed by hand; anything larger is no such list.
constexpr std::uintmax_t kMaxChassisListSize = 1u << 20;
} // namespace

namespace {

constexpr std::size_t kStemWidth = 8;
constexpr std::size_t kComparedCharacters = 4;

std::string lowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The first four characters as a NUL-terminated comparison of four characters sees them: a
// shorter name compares whole.
std::string comparedPart(std::string_view name) {
    return lowerAscii(name.substr(0, std::min(name.find('\0'), kComparedCharacters)));
}

} // namespace

const std::vector<std::string>& builtInChassisStems() {
    static const std::vector<std::string> stems = {
        "vorlane",  "kestrel",  "halberd",  "mantis",   "aegis",    "anvil",    "basilisk",
        "bastion",  "bulwark",  "centaur",  "cinder",   "corsair",  "cyclops",  "dervish",
        "dragoon",  "drake",    "ember",    "falchion", "gargoyle", "golem",    "griffin",
        "harrier",  "hornet",   "hydra",    "ironclad", "jackal",   "javelin",  "juggernt",
        "kodiak",   "lancer",   "leviathn", "lynx",     "marauder", "minotaur", "mongoose",
        "nomad",    "onager",   "oracle",   "paladin",  "phalanx",  "pike",     "predator",
        "quasar",   "raptor",   "ravager",  "revenant", "sabre",    "scimitar", "sentinel",
        "spectre",  "stalker",  "talon",    "tempest",  "thresher", "titan",    "trident",
        "valkyrie", "vanguard", "viper",    "warden",   "wraith",   "wyvern",
    };
    return stems;
}

std::vector<std::string> loadChassisStems(const std::filesystem::path& programDirectory) {
    std::vector<std::string> stems = builtInChassisStems();
    const auto file = common::readWholeFile(
        common::resolveCaseInsensitive(programDirectory, "chassis.txt"), kMaxChassisListSize);
    if (!file)
        return stems;
    std::string_view text(reinterpret_cast<const char*>(file->data()), file->size());
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        const auto isSpace = [](char c) { return std::isspace(static_cast<unsigned char>(c)); };
        while (!line.empty() && isSpace(line.front()))
            line.remove_prefix(1);
        while (!line.empty() && isSpace(line.back()))
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#' || line.front() == ';')
            continue;
        std::string stem = lowerAscii(line.substr(0, kStemWidth));
        if (std::find(stems.begin(), stems.end(), stem) == stems.end())
            stems.push_back(std::move(stem));
    }
    return stems;
}

std::string matchingChassisStem(std::string_view shortName, const std::vector<std::string>& stems) {
    const std::string name = comparedPart(shortName);
    for (const std::string& stem : stems)
        if (!stem.empty() && comparedPart(stem) == name)
            return stem;
    return {};
}

} // namespace zev::gamedata
