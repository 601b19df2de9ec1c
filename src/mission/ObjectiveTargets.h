#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zev::mission {

enum class TargetKind { NavPoint, Area, StartPoint, Star, None };

// A target as the row editor shows it: a kind, its number (0 to 8) and, for a star, the
// objective number of that star's table when one is given.
struct ObjectiveTarget {
    TargetKind kind = TargetKind::None;
    int number = 0;
    std::optional<std::string> objective;
    friend bool operator==(const ObjectiveTarget&, const ObjectiveTarget&) = default;
};

// Recognises a stored target by its characters from the 5th on ("star", "are", "nav", "st",
// tested in that order); anything else is "NULL". A project name shorter than four characters
// therefore gives targets that read back as "NULL".
ObjectiveTarget parseTarget(std::string_view text);

// The project name as every target begins with it: its first four characters, blank-filled to
// four, so that the kind of a target always starts at its 5th character.
std::string targetPrefix(std::string_view project);

// The stored text of a target for project name `project`.
std::string composeTarget(const ObjectiveTarget& target, std::string_view project);

// The name of star n: "en0" + n + "star".
std::string starName(int n);

// A star target with an objective number: the first 8 characters of `star`, "_" and `objective`
// ("%.8s_%s").
std::string starObjectiveTarget(std::string_view star, std::string_view objective);

} // namespace zev::mission
