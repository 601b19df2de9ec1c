#include "edit/ObjectClipboard.h"
#include "edit/SelectionCommands.h"

#include "EngineTestSupport.h"
#include "TestSupport.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

using namespace zev;
using namespace zev::edit;
using engine::Vector3;
using enginetest::ExpectNear;
using R = mission::MissionObjectRecord;

namespace {

// Two objects, one with a task of its own, in a mission; another mission to paste into.
struct Clipboard : ::testing::Test {
    void SetUp() override {
        auto doc = mission::support::newMission();
        R tower = mission::support::sampleObject("tower", 1000, 0, 1000);
        tower.setText(R::gamethingRole, "guard the gate");
        tower.setInt32(R::mainRotation(1), 90);
        doc->objects.place(3, tower);
        doc->objects.place(4, mission::support::sampleObject("wall", -1050, 200, -1000));
        source.openMission(*doc, {}, reporter);
        target.startMission(*mission::support::newMission());
    }

    MissionEditor source, target;
    common::RecordingReporter reporter;
    ObjectPaster paster{target, reporter};
};

} // namespace

TEST_F(Clipboard, CopiedObjectsAreTheDumpsJsonAndPasteIntoAnotherMissionWithTheirLayout) {
    // The workspace position is what travels, not the record's stale one.
    source.applyObjectPosition(4, {-10, 2, -12});
    const std::string text = objectsToText(source, {3, 4}, false);
    const auto j = nlohmann::json::parse(text);
    ASSERT_TRUE(j.is_array());
    ASSERT_EQ(j.size(), 2u);
    EXPECT_EQ(j[0]["slot"], 3);
    EXPECT_EQ(j[0]["object_name"], "tower");
    EXPECT_EQ(j[0]["gamething_role"], "guard the gate");
    EXPECT_EQ(j[1]["position"], nlohmann::json::parse("[-1000, 200, -1200]"));

    // At the pointer: the copies' centre on the ground point, their layout kept, selected.
    const std::vector<int> slots = paster.paste(text, Vector3{100.7, 0, 50.2});
    ASSERT_EQ(slots, (std::vector<int>{0, 1}));
    ExpectNear(*target.objectPosition(0), {110, 0, 61});
    ExpectNear(*target.objectPosition(1), {90, 2, 39});
    const R& pasted = *target.document().objects.find(0);
    EXPECT_EQ(pasted.text(R::gamethingRole), "guard the gate");
    EXPECT_EQ(pasted.int32(R::mainRotation(1)), 90);
    EXPECT_EQ(pasted.int32(R::position(0)), 11000);
    EXPECT_EQ(target.selectedObjects(), slots);
    EXPECT_EQ(target.undoText(), "Undo Paste");
    ASSERT_TRUE(target.undo());
    EXPECT_EQ(target.document().objects.count(), 0);
    EXPECT_FALSE(target.canUndo()) << "one step for the whole paste";
    ASSERT_TRUE(target.redo());
    EXPECT_EQ(target.document().objects.count(), 2);

    // Not over the ground: one grid step beside where they were; the full form (the clipboard's
    // own type) and a whole mission's dump paste as well.
    paster.paste(objectsToText(source, {3}, true), std::nullopt);
    ExpectNear(*target.objectPosition(2), {20, 0, 20});
    EXPECT_EQ(target.document().objects.find(2)->text(R::gamethingRole), "guard the gate");
    const std::string dump = "{\"header\": {}, \"objects\": " + text + "}";
    EXPECT_EQ(paster.paste(dump, std::nullopt).size(), 2u);
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(Clipboard, TextThatIsNoObjectListOrTooManyObjectsPastesNothingWithAMessage) {
    const std::string good = objectsToText(source, {3, 4}, false);
    const char* bad[] = {"hello", "[]", "{\"objects\": 3}", "[{\"slot\": 1}]", "[1, 2]"};
    for (const char* text : bad) {
        EXPECT_TRUE(paster.paste(text, std::nullopt).empty()) << text;
        EXPECT_NE(reporter.messages.back().text.find("Nothing was pasted"), std::string::npos);
    }
    EXPECT_EQ(reporter.messages.size(), std::size(bad));
    EXPECT_NE(reporter.messages[3].text.find("[0]"), std::string::npos)
        << "the message says where: " << reporter.messages[3].text;
    std::string broken = good;
    broken.replace(broken.find("\"tower\""), 7, "42");
    EXPECT_TRUE(paster.paste(broken, std::nullopt).empty());
    EXPECT_EQ(target.document().objects.count(), 0);
    EXPECT_FALSE(target.canUndo());

    // A geometry the view cannot show: its message, nothing added (as a drop).
    paster.prepareFrame = [](int, const R& r) -> std::optional<std::string> {
        if (r.text(R::objectName) == "wall")
            return std::string("Object not Found in GEO Table");
        return std::nullopt;
    };
    EXPECT_TRUE(paster.paste(good, std::nullopt).empty());
    EXPECT_EQ(reporter.messages.back().text, "Object not Found in GEO Table");
    EXPECT_EQ(target.document().objects.count(), 0);
    paster.prepareFrame = nullptr;

    // Two objects into one free slot: none, and the program's message.
    for (int slot = 0; slot < mission::ObjectTable::capacity - 1; ++slot)
        target.documentForChange().objects.place(slot,
                                                 mission::support::sampleObject("x", 0, 0, 0));
    EXPECT_TRUE(paster.paste(good, std::nullopt).empty());
    EXPECT_EQ(reporter.messages.back().text, "Object Limit has been reached!");
    EXPECT_EQ(reporter.messages.back().caption, "ZEVEDIT 3D");
    EXPECT_EQ(target.document().objects.count(), mission::ObjectTable::capacity - 1);
}

TEST_F(Clipboard, DuplicateCopiesTheSelectionAGridStepAsideUntilTheSlotsRunOut) {
    ObjectPaster duplicates{source, reporter};
    source.setSelection({Selection::object(4), Selection::object(3), Selection::startPoint(1)});
    const std::vector<int> copies = duplicates.duplicate();
    ASSERT_EQ(copies, (std::vector<int>{0, 1}));
    EXPECT_EQ(source.document().objects.find(0)->text(R::objectName), "wall");
    // Records carry positions as Save writes them: whole workspace units.
    ExpectNear(*source.objectPosition(0), {0, 2, 0});
    ExpectNear(*source.objectPosition(1), {20, 0, 20});
    EXPECT_EQ(source.selectedObjects(), copies) << "the copies are selected";
    EXPECT_EQ(source.undoText(), "Undo Duplicate");

    // Doubling until the table is full: the last doubling that does not fit adds nothing.
    selectAll(source);
    while (source.document().objects.count() * 2 <= mission::ObjectTable::capacity) {
        ASSERT_FALSE(duplicates.duplicate().empty());
        selectAll(source);
    }
    const int count = source.document().objects.count();
    EXPECT_TRUE(duplicates.duplicate().empty());
    EXPECT_EQ(source.document().objects.count(), count);
    EXPECT_EQ(reporter.messages.back().text, "Object Limit has been reached!");
}
