// Build tool: writes the defaults installed with the program into DIR: zevedit.ini (the
// program defaults and the palette and ground texture lists) and the example object groups in
// examples/data/odb, both made by the demo generator.

#include "common/FileIo.h"
#include "gamedata/DemoData.h"

#include <filesystem>
#include <iostream>

namespace {

class ErrorReporter : public zev::common::Reporter {
public:
    void report(const std::string& text, const std::string& caption,
                zev::common::MessageIcon) override {
        std::cerr << caption << ": " << text << '\n';
    }
    void detail(const std::string& text) override { std::cerr << text << '\n'; }
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: zev_make_defaults DIR\n";
        return 2;
    }
    namespace fs = std::filesystem;
    namespace demo = zev::gamedata::demo;
    const fs::path dir = argv[1];
    ErrorReporter reporter;
    std::error_code reason;
    fs::create_directories(dir, reason);
    if (!reason && zev::common::writeWholeFile(dir / "zevedit.ini", demo::demoIniText(), &reason) &&
        demo::writeDemoObjectGroups(dir / "examples" / "data" / "odb", reporter))
        return 0;
    if (reason)
        std::cerr << zev::common::describeFileFailure("cannot write", dir, reason) << '\n';
    return 1;
}
