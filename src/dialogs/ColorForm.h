#pragma once

#include "common/Reporter.h"
#include "edit/CustomPaletteModel.h"
#include "mission/PaletteRecord.h"

#include <QDialog>

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;

namespace zev::dialogs {

// "ZEVEDIT 3D Custom Color Pallette Builder": the twenty palette entries of a mission, each an
// editable combo box over the settings file's palette names, the check box that puts them in
// use, and loading and saving them as a ".ccp" file. OK hands the record back, Cancel forgets
// every change, a loaded file included.
class TColorForm : public QDialog {
    Q_OBJECT
public:
    enum class FileAction { Load, Save };
    // Asks for the file to load or save; nothing when the user cancels.
    using FileChooser =
        std::function<std::optional<std::filesystem::path>(FileAction action, QWidget* parent)>;

    TColorForm(const mission::PaletteRecord& palette, std::vector<std::string> choices,
               common::Reporter& reporter, QWidget* parent = nullptr);

    const edit::CustomPaletteModel& model() const { return model_; }
    // Replaces the file dialogs (tests choose their files here).
    void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

public slots:
    void FormCreate();
    void BitBtn1Click();
    void BitBtn3Click();
    void BitBtn4Click();

private:
    // The combo boxes as the model has them now.
    void showNames();
    // The typed texts into the model.
    void takeNames();

    edit::CustomPaletteModel model_;
    std::vector<std::string> choices_;
    common::Reporter& reporter_;
    FileChooser chooseFile_;
    std::array<QComboBox*, mission::PaletteRecord::entryCount> entries_{};
    QCheckBox* CheckBox1 = nullptr;
};

// The file dialogs the builder uses unless told otherwise.
std::optional<std::filesystem::path> chooseCustomPaletteFile(TColorForm::FileAction action,
                                                             QWidget* parent);

// Runs the builder on a mission's palette record with the palette names of `iniFile`
// ("zevedit.ini"); the edited record on OK, nothing on Cancel.
std::optional<mission::PaletteRecord> editCustomPalette(const mission::PaletteRecord& palette,
                                                        const std::filesystem::path& iniFile,
                                                        common::Reporter& reporter,
                                                        QWidget* parent);

} // namespace zev::dialogs
