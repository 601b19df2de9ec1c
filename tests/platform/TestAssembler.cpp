// A stand-in for the mission assembler, built for tests only. It is started through a runner
// template such as
//   test_assembler --progdir {progdir} --gamedir {gamedir} [--fail-on NAME] [--log FILE]
//                  [--sleep-ms N] "{cmd}"
// and honours the DOS command line "kort.exe /p=D:\ __.tmp OUT.bwd > C:\korterr.txt" the way
// the real assembler under a DOS emulator would: drive C: is the program directory, D: the game
// directory, relative names lie on C:, and everything it prints goes to the redirection target.
// The output is "BWD" and a NUL followed by the swap file's bytes, written under its upper-case
// name as DOS writes names. With --fail-on it leaves no output for that file and prints an error;
// --sleep-ms makes each run take a while, as a real assembler does.

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

struct Drives {
    fs::path c;
    fs::path d;
};

// A DOS path on the emulated drives as a host path.
fs::path hostPath(const Drives& drives, std::string dos) {
    fs::path base = drives.c;
    if (dos.size() >= 2 && dos[1] == ':') {
        const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(dos[0])));
        if (letter == 'D')
            base = drives.d;
        else if (letter != 'C')
            return {};
        dos = dos.substr(2);
    }
    std::string rest;
    for (char ch : dos)
        rest += ch == '\\' ? '/' : ch;
    while (!rest.empty() && rest.front() == '/')
        rest.erase(rest.begin());
    return rest.empty() ? base : base / rest;
}

} // namespace

int main(int argc, char** argv) {
    Drives drives;
    std::string failOn;
    fs::path callLog;
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--progdir" && i + 1 < argc)
            drives.c = argv[++i];
        else if (a == "--gamedir" && i + 1 < argc)
            drives.d = argv[++i];
        else if (a == "--fail-on" && i + 1 < argc)
            failOn = argv[++i];
        else if (a == "--log" && i + 1 < argc)
            callLog = argv[++i];
        else if (a == "--sleep-ms" && i + 1 < argc)
            std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(argv[++i])));
        else
            commandLine = a;
    }
    if (!callLog.empty()) {
        std::ofstream log(callLog, std::ios::app);
        log << commandLine << '\n';
    }

    std::istringstream in(commandLine);
    const std::vector<std::string> words{std::istream_iterator<std::string>(in), {}};
    if (words.size() != 6 || upper(words[0]) != "KORT.EXE" || words[1].rfind("/p=", 0) != 0 ||
        words[4] != ">") {
        std::fprintf(stderr, "test assembler: unexpected command line: %s\n", commandLine.c_str());
        return 2;
    }
    const fs::path logPath = hostPath(drives, words[5]);
    std::ofstream out(logPath, std::ios::binary | std::ios::trunc);
    if (!out)
        return 3;
    out << "KORT test assembler\r\n";

    const fs::path gameDirectory = hostPath(drives, words[1].substr(3));
    if (gameDirectory.empty() || !fs::is_directory(gameDirectory)) {
        out << "error: game directory " << words[1].substr(3) << " not found\r\n";
        return 1;
    }
    std::ifstream swap(hostPath(drives, words[2]), std::ios::binary);
    if (!swap) {
        out << "error: cannot read " << words[2] << "\r\n";
        return 1;
    }
    const std::string source{std::istreambuf_iterator<char>(swap), {}};
    const std::string output = words[3];
    if (!failOn.empty() && upper(failOn) == upper(output)) {
        out << "error: " << output << " line 1: cannot assemble\r\n";
        return 1;
    }
    std::ofstream result(hostPath(drives, upper(output)), std::ios::binary | std::ios::trunc);
    result.write("BWD", 4);
    result << source;
    out << output << " assembled\r\n";
    return result ? 0 : 1;
}
