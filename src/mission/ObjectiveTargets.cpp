#include "ObjectiveTargets.h"

#include "common/Numbers.h"

namespace zev::mission {

using common::leadingInt;

namespace {

bool startsWith(std::string_view text, std::size_t at, std::string_view prefix) {
    return text.size() >= at && text.substr(at).substr(0, prefix.size()) == prefix;
}

} // namespace

ObjectiveTarget parseTarget(std::string_view text) {
    ObjectiveTarget t;
    if (startsWith(text, 4, "star")) {
        t.kind = TargetKind::Star;
        t.number = leadingInt(text.substr(3, 1));
        if (text.size() > 9 && text[8] == '_')
            t.objective = std::string(text.substr(9));
    } else if (startsWith(text, 4, "are")) {
        t.kind = TargetKind::Area;
        t.number = leadingInt(text.substr(7));
    } else if (startsWith(text, 4, "nav")) {
        t.kind = TargetKind::NavPoint;
        t.number = leadingInt(text.substr(7));
    } else if (startsWith(text, 4, "st")) {
        // P + "st" + n + "1": the number sits between "st" and the final "1".
        t.kind = TargetKind::StartPoint;
        const std::string_view digits = text.substr(6);
        t.number = leadingInt(digits.substr(0, digits.empty() ? 0 : digits.size() - 1));
    }
    return t;
}

std::string starName(int n) {
    return "en0" + common::decimal(n) + "star";
}

std::string starObjectiveTarget(std::string_view star, std::string_view objective) {
    return std::string(star.substr(0, 8)) + "_" + std::string(objective);
}

std::string targetPrefix(std::string_view project) {
    std::string p(project.substr(0, 4));
    p.resize(4, ' ');
    return p;
}

std::string composeTarget(const ObjectiveTarget& target, std::string_view project) {
    const std::string p = targetPrefix(project);
    const std::string n = common::decimal(target.number);
    switch (target.kind) {
    case TargetKind::NavPoint:
        return p + "nav" + n;
    case TargetKind::Area:
        return p + "are" + n;
    case TargetKind::StartPoint:
        return p + "st" + n + "1";
    case TargetKind::Star: {
        const std::string star = starName(target.number);
        if (!target.objective)
            return star;
        return starObjectiveTarget(star, *target.objective);
    }
    case TargetKind::None:
        break;
    }
    return "NULL";
}

} // namespace zev::mission
