#pragma once

#include "common/Reporter.h"
#include "mission/ObjectiveTable.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zev::edit {

// The mission table editor's working copy of all eight objective tables: one star's table at a
// time (its tab), the selected row, and the operations of the editor's buttons. Every change goes
// into the working copy at once; OK hands `working()` back whole, Cancel forgets it.
class MissionTablesModel {
public:
    static constexpr int kGridColumns = 12;
    static constexpr int kGridLines = 1 + mission::ObjectiveTable::rowCount;
    static const std::array<std::string_view, kGridColumns> kGridTitles;
    // The range of the MsnTimeLimit spinner and the characters kept of its text.
    static constexpr int kMissionTimeLimitMin = -1;
    static constexpr int kMissionTimeLimitMax = 32767;
    static constexpr std::size_t kMissionTimeLimitChars = 14;

    // Opening the editor: copies the mission's tables, carries the project name over to their
    // targets, and refreshes as the first show does. Star 0, row 0 selected.
    MissionTablesModel(const mission::ObjectiveBlock& tables, std::string project);

    const mission::ObjectiveBlock& working() const { return working_; }
    const std::string& project() const { return project_; }
    int currentStar() const { return star_; }
    const mission::ObjectiveTable& currentTable() const { return working_[std::size_t(star_)]; }
    // The row Edit, Copy, Delete, Up and Down act on, -1 for none.
    int selectedRow() const { return selected_; }
    // Rows in use from row 0 up to the first empty one, and the last of them (0 when none).
    int usedRows() const { return currentTable().usedRowCount(); }
    int lastUsedRow() const { return usedRows() > 0 ? usedRows() - 1 : 0; }

    // Writes the default first rows where a table's row 0 is empty. Every operation below ends
    // with it; the dialog calls it when shown.
    void refresh();

    // The grid as it shows the current table: line 0 the titles, line r + 1 row r.
    std::string gridText(int line, int column) const;

    struct ButtonStates {
        bool add = false, edit = false, copy = false, remove = false, up = false, down = false;
        friend bool operator==(const ButtonStates&, const ButtonStates&) = default;
    };
    ButtonStates buttons() const;

    // A click on a row of the grid: rows below the last used row select the last used row.
    // Returns the row now selected (the grid shows it on line row + 1).
    int clickRow(int row);
    // Another tab: that star's table, row 0 selected.
    void selectStar(int star);

    // The entry dialog run on a row of the current table; true for OK. It writes into the row
    // as the user works.
    using EntryDialog = std::function<bool(mission::ObjectiveRow& row, int rowIndex)>;
    // Opens the entry dialog on the first empty row; Cancel leaves the table exactly as it was.
    // Nothing happens when all 40 rows are used. True when a row was added.
    bool add(const EntryDialog& entry);
    // Opens the entry dialog on the selected row; Cancel puts the whole table back as it was.
    bool edit(const EntryDialog& entry);
    void copy();
    // Clears the selected row in place (rows below stay where they are); row 0 stays.
    void remove();
    void moveUp();
    void moveDown();
    // Zero-fills the current table; the refresh gives it its default first row.
    void clearTable();

    std::string missionTimeLimit() const { return currentTable().missionTimeLimit(); }
    // Keeps the first 14 characters of the MsnTimeLimit text.
    void setMissionTimeLimit(std::string_view text);
    // What the spinner shows for the stored text: its leading number within the range.
    int missionTimeLimitSpinValue() const;

    // The name the save dialog proposes: "msn" + star + ".tbl".
    std::string defaultTableFileName() const;
    // Writes the current table's image (22495 bytes) through a temporary file. A failure is
    // reported (caption "ZEVEDIT 3D") and leaves the file as it was. Row 0 is selected after.
    bool saveTable(const std::filesystem::path& path, common::Reporter& reporter);
    // Replaces the current table with the first 22495 bytes of a file. A file that cannot be
    // read or is shorter changes nothing and is reported. Row 0 is selected after.
    bool loadTable(const std::filesystem::path& path, common::Reporter& reporter);

private:
    mission::ObjectiveTable& table() { return working_[std::size_t(star_)]; }
    // Selects `row` by the click rule and refreshes.
    void finish(int row);

    mission::ObjectiveBlock working_;
    std::string project_;
    int star_ = 0;
    int selected_ = 0;
};

constexpr const char* kTableOpenError = "Cannot Open the Mission Table File!";
constexpr const char* kTableTooShort = "Not a Mission Table File: it holds fewer than 22495 bytes!";
constexpr const char* kTableWriteError = "Error Writing the Mission Table File!";

} // namespace zev::edit
