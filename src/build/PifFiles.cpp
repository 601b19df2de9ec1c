#include "PifFiles.h"

#include "common/LittleEndian.h"

#include <algorithm>
#include <cstring>

namespace zev::build {

namespace {

// Basic section fields.
constexpr std::size_t kChecksum = 0x01;
constexpr std::size_t kTitle = 0x02;
constexpr std::size_t kTitleWidth = 30;
constexpr std::size_t kMaxMemory = 0x20;
constexpr std::size_t kMinMemory = 0x22;
constexpr std::size_t kProgram = 0x24;
constexpr std::size_t kProgramWidth = 63;
constexpr std::size_t kFlags1 = 0x63;
constexpr std::size_t kVideoMode = 0xE5;
constexpr std::size_t kVideoPages = 0xE6;
constexpr std::size_t kLastInterrupt = 0xE8;
constexpr std::size_t kRows = 0xE9;
constexpr std::size_t kColumns = 0xEA;
constexpr std::uint8_t kCloseOnExit = 0x10;

// Headings and sections, one after another.
constexpr std::size_t kPifexHeading = kPifBasicSize;
constexpr std::size_t k386Heading = kPifexHeading + kPifHeadingSize;
constexpr std::size_t k386Data = k386Heading + kPifHeadingSize;
constexpr std::size_t k386Size = 0x68;
constexpr std::size_t k286Heading = k386Data + k386Size;
constexpr std::size_t k286Data = k286Heading + kPifHeadingSize;
constexpr std::size_t k286Size = 6;
constexpr std::size_t kOwnHeading = k286Data + k286Size;
constexpr std::size_t kOwnData = kOwnHeading + kPifHeadingSize;
constexpr std::size_t kOwnSize = kPifSize - kOwnData;
constexpr std::uint16_t kLastHeading = 0xFFFF;

// "WINDOWS 386 3.0" fields, relative to its data.
constexpr std::size_t k386MaxMemory = 0x00;
constexpr std::size_t k386MinMemory = 0x02;
constexpr std::size_t k386ForegroundPriority = 0x04;
constexpr std::size_t k386BackgroundPriority = 0x06;
constexpr std::size_t k386MaxEms = 0x08;
constexpr std::size_t k386MaxXms = 0x0C;
constexpr std::size_t k386Flags = 0x10;
constexpr std::uint32_t k386Background = 0x0002;
constexpr std::uint32_t k386FullScreen = 0x0008;

void heading(PifImage& f, std::size_t at, const char* name, std::size_t next, std::size_t data,
             std::size_t length) {
    std::memcpy(f.data() + at, name, std::min<std::size_t>(std::strlen(name), 15));
    common::putU16(f.data() + at + 16, static_cast<std::uint16_t>(next));
    common::putU16(f.data() + at + 18, static_cast<std::uint16_t>(data));
    common::putU16(f.data() + at + 20, static_cast<std::uint16_t>(length));
}

void text(PifImage& f, std::size_t at, std::size_t width, std::string_view value) {
    std::memcpy(f.data() + at, value.data(), std::min(value.size(), width));
}

} // namespace

static_assert(kOwnData + kOwnSize == kPifSize);
static_assert(k286Heading == 0x205 && kOwnHeading == 0x221);

std::uint8_t pifChecksum(const PifImage& image) {
    unsigned sum = 0;
    for (std::size_t i = 2; i < kPifBasicSize; ++i)
        sum += image[i];
    return static_cast<std::uint8_t>(sum);
}

PifImage programInformationFile(std::string_view title, std::string_view program,
                                PifWindow window) {
    PifImage f{};
    std::memset(f.data() + kTitle, ' ', kTitleWidth);
    text(f, kTitle, kTitleWidth, title);
    common::putU16(f.data() + kMaxMemory, 640);
    common::putU16(f.data() + kMinMemory, 128);
    text(f, kProgram, kProgramWidth - 1, program);
    f[kFlags1] = kCloseOnExit;
    f[kVideoMode] = 0x7F;
    f[kVideoPages] = 1;
    f[kLastInterrupt] = 0xFF;
    f[kRows] = 25;
    f[kColumns] = 80;

    heading(f, kPifexHeading, "MICROSOFT PIFEX", k386Heading, 0, kPifBasicSize);

    heading(f, k386Heading, "WINDOWS 386 3.0", k286Heading, k386Data, k386Size);
    std::uint8_t* s = f.data() + k386Data;
    common::putU16(s + k386MaxMemory, 640);
    common::putU16(s + k386MinMemory, 128);
    common::putU16(s + k386ForegroundPriority, 100);
    common::putU16(s + k386BackgroundPriority, 50);
    common::putU16(s + k386MaxEms, 1024);
    common::putU16(s + k386MaxXms, 1024);
    common::putU32(s + k386Flags,
                   window == PifWindow::FullScreen ? k386FullScreen : k386Background);

    heading(f, k286Heading, "WINDOWS 286 3.0", kOwnHeading, k286Data, k286Size);
    common::putU16(f.data() + k286Data, 1024); // XMS limit

    heading(f, kOwnHeading, "ZEVEDIT3D INFO", kLastHeading, kOwnData, kOwnSize);
    std::string description = "ZEVEDIT 3D program information for ";
    description += program;
    text(f, kOwnData, kOwnSize - 1, description);

    f[kChecksum] = pifChecksum(f);
    return f;
}

const PifImage& assemblerPif() {
    static const PifImage pif = programInformationFile("KORT", "KORT.EXE", PifWindow::Background);
    return pif;
}

PifImage gamePif(std::string_view program) {
    std::string title(program.substr(0, program.find('.')));
    return programInformationFile(title, program, PifWindow::FullScreen);
}

} // namespace zev::build
