#include "PlatformTestSupport.h"

#include "build/AssemblerRun.h"
#include "common/FileIo.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;
using namespace zev;

void writeFile(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<std::uint8_t> assemblerImage(std::size_t size, const std::string& signature) {
    std::vector<std::uint8_t> image(size, 0x90);
    for (std::size_t i = 0; i < signature.size(); ++i)
        if (build::kAssemblerSignatureOffset + i < size)
            image[build::kAssemblerSignatureOffset + i] = static_cast<std::uint8_t>(signature[i]);
    return image;
}

std::vector<std::string> fileNames(const fs::path& directory) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(directory))
        if (e.is_regular_file())
            names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool holdsAnyCase(const fs::path& directory, const std::string& name) {
    const auto lower = [](std::string s) {
        std::transform(s.begin(), s.end(), s.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return s;
    };
    for (const auto& n : fileNames(directory))
        if (lower(n) == lower(name))
            return true;
    return false;
}

RunFixture::RunFixture() {
    fs::create_directories(home());
    fs::create_directories(game());
    writeFile(archive(), "archive");
    const auto exe = assemblerImage(build::kAssemblerSignatureOffset + 11 + 100, "Talvorendix");
    common::writeWholeFile(home() / "KORT.EXE", exe);

    header.setText(mission::MissionHeader::projectName, "ABCD");
    header.setText(mission::MissionHeader::missionName, "Border Raid");
    for (const auto& member : build::textMembers("ABCD"))
        writeFile(home() / "source" / "ABCD" / member.fileName, sourceText(member.fileName));
    for (const auto& source : build::assemblerSources("ABCD"))
        writeFile(home() / "source" / "ABCD" / source, sourceText(source));
}

std::string RunFixture::sourceText(const std::string& name) const {
    return "; source " + name + "\r\nline two\r\n";
}

std::string RunFixture::assemblerTemplate(const std::string& failOn) const {
    std::string t = std::string("\"") + ZEV_TEST_ASSEMBLER +
                    "\" --progdir {progdir} --gamedir {gamedir} --log \"" + callLog().string() +
                    "\"";
    if (!failOn.empty())
        t += " --fail-on " + failOn;
    return t + " \"{cmd}\"";
}

build::AssemblerJob RunFixture::job() const {
    return {home(), archive(), header};
}
