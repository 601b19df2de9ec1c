// Drives the object database editor's model over a fuzzed group file: the first byte says how
// many operations follow, each next byte picks one (choose group, choose record n, edit, new
// object, save, abort, delete object), the rest is the group file. The model must never crash,
// and no write may leave a partial record behind or lose the record it saved.

#include "edit/ObjectDatabaseModel.h"

#include "common/FileIo.h"
#include "gamedata/ObjectGroups.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace zev;
using gamedata::ObjectGroupRecord;

const fs::path& home() {
    static const fs::path dir = [] {
        const fs::path d =
            fs::temp_directory_path() / ("zev-odb-editor-fuzz-" + std::to_string(::getpid()));
        fs::create_directories(gamedata::objectGroupDirectory(d));
        return d;
    }();
    return dir;
}

void check(bool condition) {
    if (!condition)
        std::abort();
}

std::uintmax_t fileSize(const fs::path& file) {
    std::error_code ec;
    const auto size = fs::file_size(file, ec);
    return ec ? 0 : size;
}

// An edit the byte chooses: one control changed, "RMG Object" toggled with the low bit.
edit::ObjectRecordValues edited(edit::ObjectRecordValues v, std::uint8_t b) {
    const std::string text(std::size_t(b % 40), char('a' + b % 26));
    switch ((b >> 1) % 6) {
    case 0:
        v.objectName = text;
        break;
    case 1:
        v.menuText = text;
        break;
    case 2:
        v.hitsToDestroy = std::to_string(int(b) - 128) + text;
        break;
    case 3:
        v.scale[b % 3] = text;
        break;
    case 4:
        v.mainType = int(b % 10) - 1;
        break;
    default:
        v.objectType = text;
        break;
    }
    if (b & 1)
        v.readyMade = !v.readyMade;
    return v;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::size_t count = std::min<std::size_t>(data[0] % 17, size - 1);
    const std::span<const std::uint8_t> ops(data + 1, count);
    const std::span<const std::uint8_t> image(data + 1 + count, size - 1 - count);

    const fs::path file = gamedata::objectGroupPath(home(), "fuzz");
    const fs::path other = gamedata::objectGroupPath(home(), "other");
    common::writeWholeFile(file, image);
    common::writeWholeFile(other, std::string_view());
    const std::uintmax_t tail = image.size() % ObjectGroupRecord::size;

    common::SilentReporter reporter;
    edit::ObjectDatabaseModel model(home(), reporter);
    for (const std::uint8_t op : ops) {
        switch (op % 8) {
        case 0:
            model.chooseGroup(op >> 3 & 1);
            break;
        case 1:
            model.chooseRecord(op >> 3);
            break;
        case 2:
        case 7:
            model.edit(edited(model.values(), op));
            break;
        case 3:
            model.newObject();
            break;
        case 4:
            if (model.saveData()) {
                // What was saved is the chosen record, stamped, and shown as stored.
                const auto saved = gamedata::readObjectRecord(
                    gamedata::objectGroupFilePath(home(), model.groups()[model.selectedGroup()]),
                    std::size_t(model.selectedRecord()));
                check(saved && *saved == model.editBuffer());
                check(saved->text(ObjectGroupRecord::creatorTag) == ObjectGroupRecord::kCreator);
            }
            break;
        case 5:
            model.abortChanges();
            break;
        case 6:
            model.deleteObject();
            break;
        }
        const std::uintmax_t rest = fileSize(file) % ObjectGroupRecord::size;
        check(rest == 0 || rest == tail);
        check(fileSize(other) % ObjectGroupRecord::size == 0);
        check(model.selectedGroup() < int(model.groups().size()));
        check(model.selectedRecord() < int(model.objects().size()));
        check(!model.editing() || model.controls().saveData);
    }
    return 0;
}
