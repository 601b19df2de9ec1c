#pragma once

#include "common/Reporter.h"
#include "edit/ObjectDatabaseModel.h"

#include <QDialog>

#include <filesystem>

class QListWidget;
class QPushButton;

namespace zev::dialogs {

class ObjectRecordPanel;

// "ZEVEDIT 3D Object Database": browses the object groups and their records, edits a record,
// adds records and deletes records and groups. The rules are the model's; this view shows them.
class TObjectDatabase : public QDialog {
    Q_OBJECT
public:
    TObjectDatabase(const std::filesystem::path& programDirectory, common::Reporter& reporter,
                    QWidget* parent = nullptr);

    const edit::ObjectDatabaseModel& model() const { return model_; }

public slots:
    void FormCreate();
    void GroupBoxClick();
    void ObjectItemsClick();
    void ObjectChange();
    void NewObjectBtnClick();
    void SaveBtnClick();
    void CancelBtnClick();
    void DeleteObjectBtnClick();
    void DeleteGroupBtnClick();
    void NewGroupBtnClick();

private:
    QPushButton* button(const char* name, const char* text, void (TObjectDatabase::*slot)());
    // Lists, controls and enabled states as the model has them now.
    void showModel();
    void showEnabled();

    edit::ObjectDatabaseModel model_;
    QListWidget *GroupBox, *ObjectItems;
    ObjectRecordPanel* Record;
    QPushButton *NewObjectBtn, *SaveBtn, *CancelBtn, *DeleteObjectBtn, *DeleteGroupBtn,
        *NewGroupBtn;
};

// Runs the full editor modally; true when any group file changed.
bool runObjectDatabase(const std::filesystem::path& programDirectory, common::Reporter& reporter,
                       QWidget* parent);

} // namespace zev::dialogs
