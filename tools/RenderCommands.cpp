// The render command: a picture of a mission as the workspace shows it after Open.

#include "CliCommand.h"

#include "common/FileIo.h"
#include "common/Numbers.h"

#include "gamedata/IndexFiles.h"

#include "mission/MissionFile.h"
#include "platform/EditorSettings.h"
#include "platform/SettingsStore.h"
#include "workspace/MissionPreview.h"
#include "workspace/OffscreenRender.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>

#include <memory>
#include <ostream>

namespace zev::cli {

namespace {

// "WxH" with both between 1 and 8192.
bool parseSize(const std::string& text, int& width, int& height) {
    const auto x = text.find('x');
    if (x == std::string::npos || x == 0 || x + 1 >= text.size())
        return false;
    const auto w = common::parseDecimalInRange(std::string_view(text).substr(0, x), 1, 8192);
    const auto h = common::parseDecimalInRange(std::string_view(text).substr(x + 1), 1, 8192);
    if (!w || !h)
        return false;
    width = static_cast<int>(*w);
    height = static_cast<int>(*h);
    return true;
}

// The GUI application offscreen rendering needs, on the desktop's display or, without one,
// Qt's offscreen platform (which may offer no OpenGL).
std::unique_ptr<QGuiApplication> guiApplication() {
    if (QGuiApplication::instance())
        return nullptr;
    workspace::PrepareOffscreenPlatform();
    static int argc = 1;
    static char name[] = "zevedit-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

int runRender(CliContext& c, const CliCommand& self) {
    ArgParser args(c.args, {"archive", "view", "size"}, {"night"});
    if (!args.ok())
        return usageError(c, self, args.error());
    if (args.positionals().size() != 2)
        return usageError(c, self, "a mission file and an output file expected");
    workspace::PreviewOptions options;
    const std::string view = args.value("view", "front");
    if (view != "front" && view != "top")
        return usageError(c, self, "--view takes front or top");
    options.topView = view == "top";
    if (args.has("size") && !parseSize(args.value("size"), options.width, options.height))
        return usageError(c, self, "--size takes WxH, each from 1 to 8192");
    options.night = args.flag("night");
    options.programDirectory = c.programDirectory;

    auto app = guiApplication();
    auto settings = platform::SettingsStore::openUserStore();
    options.archivePath =
        args.has("archive")
            ? std::filesystem::path(args.value("archive"))
            : std::filesystem::path(platform::readSetup(*settings).projectPath.toStdString());

    mission::MissionDocument document;
    std::uint8_t patch = 0;
    if (!mission::MissionFile::open(document, patch, args.positionals()[0], c.reporter))
        return kExitFailed;
    // Objects are drawn through the index files: a missing or damaged archive, or indexes of
    // another archive, would draw a picture without them (or with wrong ones) after a message
    // per object. Said once, and no picture.
    if (!document.objects.occupiedSlots().empty()) {
        const std::string stale =
            gamedata::indexStaleReason(options.archivePath, c.programDirectory);
        if (!stale.empty()) {
            c.err << "zevedit-cli render: the mission's objects cannot be drawn: " << stale
                  << " (zevedit-cli scan --archive PATH builds the index files)\n";
            return kExitFailed;
        }
    }

    QImage image;
    std::string error;
    if (!workspace::RenderMissionPreview(document, options, *settings, c.reporter, image, error)) {
        c.err << "zevedit-cli render: " << error << '\n';
        return kExitFailed;
    }
    const std::string out = args.positionals()[1];
    // Encoded in memory, then written as every other output: a full disk leaves an old picture
    // as it was.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    std::error_code reason;
    if (!image.save(&buffer, "PNG")) {
        c.err << "zevedit-cli render: the picture could not be encoded as PNG\n";
        return kExitFailed;
    }
    if (!common::writeWholeFile(out,
                                std::span(reinterpret_cast<const std::uint8_t*>(png.constData()),
                                          static_cast<std::size_t>(png.size())),
                                &reason)) {
        c.err << "zevedit-cli render: " << common::describeFileFailure("cannot write", out, reason)
              << '\n';
        return kExitFailed;
    }
    c.out << "rendered " << image.width() << "x" << image.height() << " to " << out << '\n';
    return kExitOk;
}

} // namespace

std::vector<CliCommand> renderCommands() {
    return {
        {"render", "MISSION.mdb OUT.png [--archive PATH] [--view front|top] [--size WxH] [--night]",
         "Draws the mission as the editor shows it after Open (objects, start point and nav\n"
         "point markers, cameras over player 1) and writes the picture as PNG. --archive names\n"
         "the project archive (default: the editor's project path setting); --view chooses the\n"
         "front (default) or the top camera; --size defaults to 1024x768. Needs OpenGL 3.3: it\n"
         "works on a desktop or under xvfb-run and exits with 1 where no context can be made.",
         runRender},
    };
}

} // namespace zev::cli
