#include "TableEntry.h"

#include <algorithm>
#include <utility>

namespace zev::edit {

namespace {

constexpr std::pair<std::string_view, std::string_view> kGeneral[] = {
    {"gene01", "Mission Successful"},
    {"gene02", "Primary Objective Successful"},
    {"gene03", "Objective Successful"},
    {"gene04", "Tertiary Objective Successful"},
    {"gene05", "Enemy Destroyed"},
    {"gene06", "Friendly Destroyed"},
    {"gene07", "Target Identified"},
    {"gene08", "Enemy Mech Destroyed"},
    {"gene09", "Enemy Turret Destroyed"},
    {"gene10", "Enemy Tank Destroyed"},
    {"gene11", "Enemy Dropship Destroyed"},
    {"gene12", "Secondary Objective - Destroy all enemy mechs - Successful"},
    {"gene13", "Area Secure"},
    {"gene14", "Mission Successful"},
    {"gene15", "All Primary Objectives... Complete"},
    {"gene16", "Sensors indicate... Friendly dropship has entered atmosphere"},
    {"gene17", "Emergency Extraction Protocol Initiated"},
    {"gene18", "Warning! You're leaving defined mission zone"},
    {"gene19", "You have left defined mission zone"},
    {"gene20", "Proceed to 'Mech hangar for shutdown"},
    {"gene21", "Proceed to Base for shutdown"},
    {"gene22", "Proceed to Dustoff site for extraction"},
    {"gene23", "Target Objective located"},
    {"gene24", "Mission Complete"},
    {"gene25", "Mission Terminated"},
    {"gene26", "Enemy Aircraft Destroyed"},
};

// "genegoa" onward: the nav points reached, Alpha to Omega; "genegox" says nothing.
constexpr std::string_view kNavReached[] = {
    "Nav Alpha Reached",   "Nav Beta Reached",  "Nav Gamma Reached",   "Nav Delta Reached",
    "Nav Epsilon Reached", "Nav Zeta Reached",  "Nav Eta Reached",     "Nav Theta Reached",
    "Nav Iota Reached",    "Nav Kappa Reached", "Nav Lambda Reached",  "Nav Mu Reached",
    "Nav Nu Reached",      "Nav Xi Reached",    "Nav Omicron Reached", "Nav Pi Reached",
    "Nav Rho Reached",     "Nav Sigma Reached", "Nav Tau Reached",     "Nav Upsilon Reached",
    "Nav Phi Reached",     "Nav Psi Reached",   "Nav Omega Reached"};

} // namespace

std::string_view bettySays(std::string_view sound) {
    const auto* found = std::find_if(std::begin(kGeneral), std::end(kGeneral),
                                     [&](const auto& entry) { return entry.first == sound; });
    if (found != std::end(kGeneral))
        return found->second;
    if (sound.size() == 7 && sound.substr(0, 6) == "genego") {
        const std::size_t letter = static_cast<std::size_t>(sound[6] - 'a');
        if (sound[6] >= 'a' && letter < std::size(kNavReached))
            return kNavReached[letter];
    }
    return {};
}

} // namespace zev::edit
