#include "SourceFormat.h"
#include "WorldSources.h"

#include <algorithm>

namespace zev::build {

using namespace zev::mission;

namespace {

constexpr char kQuote = '"';

void objectiveRow(std::string& out, int j, const ObjectiveRow& row) {
    using O = ObjectiveRow;
    const std::string action = row.text(O::action);
    const std::string visibility = row.text(O::visibility);
    const std::string target = row.text(O::target);
    const std::string timeLimit = row.text(O::timeLimit);
    const std::string mechs = row.text(O::aiMechsPerTarget);
    const std::string attack = row.text(O::aiAttack);
    const std::string priority = row.text(O::priority);
    const std::string requirement = row.text(O::requirement);
    const std::string audio = row.text(O::audio);
    const std::string text = row.text(O::screenText);
    const int conditions = row.conditionsInUse();
    if (conditions < 2) {
        appendf(out,
                "  %d  %s       %s      %s     (%s)           %s     %s   %s   %s         %s"
                "        %s      %c%s%c\n",
                j, action.c_str(), visibility.c_str(), target.c_str(),
                row.text(O::condition(0)).c_str(), timeLimit.c_str(), mechs.c_str(), attack.c_str(),
                priority.c_str(), requirement.c_str(), audio.c_str(), kQuote, text.c_str(), kQuote);
        return;
    }
    appendf(out,
            "  %d  %s       %s      %s      (table)       %s     %s  %s   %s         %s"
            "         %s      %c%s%c\n",
            j, action.c_str(), visibility.c_str(), target.c_str(), timeLimit.c_str(), mechs.c_str(),
            attack.c_str(), priority.c_str(), requirement.c_str(), audio.c_str(), kQuote,
            text.c_str(), kQuote);
    out += row.byte(O::combination) == 0 ? " table and\n" : " table or\n";
    // A row holds at most eight conditions, whatever its count says.
    for (int i = 0; i < std::min(conditions, O::conditionCount); ++i)
        appendf(out, "         %s\n", row.text(O::condition(i)).c_str());
    out += " endtable\n";
}

} // namespace

std::string sceneFileText(const std::string& project, const MissionDocument& document) {
    const char* p = project.c_str();
    std::string out;
    appendf(out, "include formatns\nmusic track%s\n",
            document.header.text(MissionHeader::musicTrack).c_str());
    out += "\n";
    out += "#Alliance Declaration\nalliance\n   QV\n   Morvenai\n   TLK\n   Brak\n   AshVultures\n"
           "   PaleStags\n   Wild1\n   Wild2\nend\n";
    out += "\n";
    out += "#Star Declaration\nstar\n#Star       #Alliance   #Formation  #Disposition\n"
           "  en00star    QV           Star        Enemy\n"
           "  en01star    Morvenai     Star        Enemy\n"
           "  en02star    TLK          Star        Enemy\n";
    out += "  en03star    Brak         Star        Enemy\n"
           "  en04star    AshVultures  Star        Enemy\n"
           "  en05star    PaleStags    Star        Enemy\n"
           "  en06star    Wild1        Star        Enemy\n"
           "  en07star    Wild2        Star        Enemy\nend\n";
    out += "\n";
    for (int player = 1; player <= kPlayerCount; ++player)
        appendf(out, "camo %d %d\n", player - 1,
                document.startPoint(player).int32(StartPointRecord::camouflage));
    out += "\n";
    for (int t = 0; t < kObjectiveTableCount; ++t) {
        const ObjectiveTable& table = document.objectives[static_cast<std::size_t>(t)];
        out += "#Mission Decl   #Star Name    #Time     #Audio\n";
        appendf(out, "mission         en0%dstar      %s        gene001\n", t,
                table.missionTimeLimit().c_str());
        out += "  #ID #Action  #Type   #Target #Activation  #Time  #Priority  #Critical  #Audio  "
               "#Text\n";
        for (int j = 0; j < ObjectiveTable::rowCount; ++j)
            if (table.row(j).isUsed())
                objectiveRow(out, j, table.row(j));
        out += "end\n";
        out += "\n";
    }
    out += "\n\n";
    appendf(out,
            "#Includes\n#gp_spec\ninclude en00star\ninclude en01star\ninclude en02star\n"
            "include en03star\ninclude en04star\ninclude en05star\ninclude en06star\n"
            "include en07star\n#include planet-file\ninclude %splt1\n#include map-file\n"
            "#include %smap1\n#include shot file\ninclude zev_sht1.wld\n#include wld1 file\n"
            "include %swld1.wld\n",
            p, p, p);
    out += "\n";
    if (starWorld(document.header))
        out += "include bet2star\n";
    out += "\n";
    out += "#include explosion file\ninclude zev_xpl1.wld\n#include startpoints\n";
    for (int i = 0; i < kPlayerCount; ++i)
        appendf(out, "include %sst%d1\n", p, i);
    out += "#include user-navpoints\n";
    for (int s = 0; s < kStarCount; ++s)
        appendf(out, "include %snav%d\n", p, s);
    return out;
}

} // namespace zev::build
