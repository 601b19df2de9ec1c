#pragma once

#include "EditorListener.h"
#include "MissionEditor.h"

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zev::gamedata {
class ObjectGroupCatalog;
}

// The outline: every object, start point and nav point of the mission as a row of texts, kept
// in step with the editor by its change notices (one row for one change), and the filter that
// the outline's search field types.
namespace zev::edit {

enum class OutlineColumn { Slot, Name, Geometry, Group, Area, Star };
inline constexpr int kOutlineColumnCount = 6;
// The column titles: "Slot", "Name", "Geometry", "Group", "Area", "Star".
const char* outlineColumnTitle(OutlineColumn column);

struct OutlineRow {
    // What the row shows, as the workspace selects it.
    Selection thing;
    std::array<std::string, kOutlineColumnCount> cells;
    const std::string& cell(OutlineColumn c) const { return cells[std::size_t(c)]; }
};

// Words typed into the search field. A row shows when it matches every word. A plain word
// matches any column that contains it; "group:", "area:", "star:", "name:", "geometry:" and
// "slot:" restrict a word to their column ("name:" and "geometry:" and "group:" by containing,
// "area:", "star:" and "slot:" by the whole value). Letter case does not count; double quotes
// keep words with blanks together ("name:\"north gate\"").
class OutlineFilter {
public:
    OutlineFilter() = default;
    explicit OutlineFilter(std::string_view text);
    bool empty() const { return terms_.empty(); }
    bool matches(const OutlineRow& row) const;

private:
    struct Term {
        int column = -1; // -1: any column
        bool whole = false;
        std::string word; // lower case
    };
    std::vector<Term> terms_;
};

// Told before and after the rows change, so a view keeps its own rows in step.
class OutlineObserver {
public:
    virtual ~OutlineObserver() = default;
    virtual void aboutToReset() {}
    virtual void reset() {}
    virtual void aboutToInsert(int first, int count) { (void)first, (void)count; }
    virtual void inserted() {}
    virtual void aboutToRemove(int first, int count) { (void)first, (void)count; }
    virtual void removed() {}
    virtual void changed(int first, int last) { (void)first, (void)last; }
};

// Rows in this order: objects by slot, the eight start points, then the nav points in use by
// star and number.
class OutlineModel : private EditorListener {
public:
    explicit OutlineModel(MissionEditor& editor,
                          const gamedata::ObjectGroupCatalog* groups = nullptr);
    ~OutlineModel() override;
    OutlineModel(const OutlineModel&) = delete;
    OutlineModel& operator=(const OutlineModel&) = delete;

    const std::vector<OutlineRow>& rows() const { return rows_; }
    // The row of a selected thing; -1 when it has none.
    int rowOf(const Selection& thing) const;
    void setObserver(OutlineObserver* observer) { observer_ = observer; }
    // The object groups changed (the palette was reloaded): every group cell anew.
    void setGroups(const gamedata::ObjectGroupCatalog* groups);

private:
    void rebuild();
    OutlineRow objectRow(int slot) const;
    int objectCount() const;
    int firstNavRow() const { return objectCount() + mission::kPlayerCount; }
    void replaceNavRows();

    void missionReplaced() override;
    void objectAdded(int slot) override;
    void objectRemoved(int slot) override;
    void objectMoved(int) override {}
    void objectRecordChanged(int slot) override;
    void startPointChanged(int player) override;
    void navPointsChanged() override;

    MissionEditor& editor_;
    const gamedata::ObjectGroupCatalog* groups_;
    OutlineObserver* observer_ = nullptr;
    std::vector<OutlineRow> rows_;
    OutlineObserver silent_;
    OutlineObserver& tell() { return observer_ ? *observer_ : silent_; }
};

} // namespace zev::edit
