#include "ProjectName.h"

namespace zev::mission {

const char* projectNameProblem(std::string_view name) {
    if (name.empty())
        return kNoProjectName;
    if (name == "." || name.find("..") != std::string_view::npos ||
        name.find_first_of("/\\:") != std::string_view::npos)
        return kProjectNameEscapes;
    for (const char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || u == 0x7f ||
            std::string_view("*?\"<>|&^%#").find(c) != std::string_view::npos)
            return kProjectNameUnsafe;
    }
    if (name.size() > kProjectNameMaxLength)
        return kProjectNameTooLong;
    return nullptr;
}

} // namespace zev::mission
