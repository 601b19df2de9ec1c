#include "ObjectiveVocabulary.h"

#include <cstdio>

namespace zev::mission {

const std::array<std::string_view, 18> kObjectiveActions = {
    "Begin",    "Defend",     "Destroy", "Recon",    "Goto",       "Return",
    "Leave",    "Shutdown",   "Sleep",   "Explode",  "MsnSucceed", "MsnFail",
    "MsnReset", "ObjSucceed", "ObjFail", "ObjReset", "ObjShow",    "Wait"};

const std::array<std::string_view, 4> kObjectivePriorities = {"Primary", "Secondary", "Tertiary",
                                                              "None"};
const std::array<std::string_view, 2> kObjectiveRequirements = {"Mandatory", "Optional"};
const std::array<std::string_view, 2> kObjectiveVisibilities = {"Visible", "Hidden"};
const std::array<std::string_view, 3> kConditionKinds = {"Comp", "Succ", "Fail"};

const std::vector<std::string>& objectiveSounds() {
    static const std::vector<std::string> sounds = [] {
        std::vector<std::string> s{"None"};
        char name[16];
        for (int i = 1; i <= 26; ++i) {
            std::snprintf(name, sizeof name, "gene%02d", i);
            s.emplace_back(name);
        }
        for (char c = 'a'; c <= 'x'; ++c)
            s.push_back(std::string("genego") + c);
        return s;
    }();
    return sounds;
}

} // namespace zev::mission
