#pragma once

#include "common/Reporter.h"
#include "edit/ObjectViewerModel.h"
#include "workspace/FrameClock.h"
#include "workspace/ViewerScene.h"

#include <QDialog>

#include <filesystem>
#include <functional>
#include <string>

class QAction;
class QHBoxLayout;
class QListWidget;
class QPushButton;
class QTimer;

namespace zev::workspace {

class ViewerView;

// What the viewer hands to the main window: a geometry name for the object database's quick
// add, and the object database itself.
struct ViewerActions {
    std::function<void(const std::string& geometryName)> addToDatabase;
    std::function<void()> openObjectDatabase;
};

// "ZEVEDIT 3D Object Viewer": every geometry of WTB.IDX by name, the chosen one turning in a
// small 3D view of its own, and a hand-over to the object database. A stay-on-top window, run
// modally; its 3D view draws from the `Render` timer while it is shown. Messages go to the
// reporter given.
class TViewerForm : public QDialog {
    Q_OBJECT

public:
    static constexpr int kPanelWidth = 136;

    TViewerForm(const std::filesystem::path& programDirectory,
                const std::filesystem::path& archivePath, common::Reporter& reporter,
                ViewerActions actions, QWidget* parent = nullptr);
    ~TViewerForm() override;

    // Shows a viewer modally until it is closed, then frees it.
    static void run(const std::filesystem::path& programDirectory,
                    const std::filesystem::path& archivePath, common::Reporter& reporter,
                    ViewerActions actions, QWidget* parent = nullptr);

    const ViewerScene& Scene() const { return scene_; }
    const edit::ObjectViewerModel& Model() const { return model_; }

public slots:
    void RenderTimer();
    void ViewBtnClick();
    void ObjectListDblClick();
    void ObjectListKeyDown(int key);
    void AddBtnClick();
    void Exit1Click();
    void ObjectDatabase1Click();
    void PointsClick();
    void WireFrameClick();
    void SolidClick();
    void FlatClick();
    void GouraudClick();
    void PhongClick();
    void ViewSelectedObject();

protected:
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Run once by the constructor: the list, then the 3D view.
    void FormCreate();
    void BuildMenu();
    void SetupView();
    void FormClose();
    void ApplyQuality();
    // The selected list text; empty when nothing is selected.
    QString SelectedName() const;
    void ReportViewFailure(const QString& text);

    std::filesystem::path archivePath_;
    common::Reporter& reporter_;
    ViewerActions actions_;
    edit::ObjectViewerModel model_;
    ViewerScene scene_;
    FrameClock clock_;
    bool viewFailed_ = false;

    ViewerView* view_ = nullptr; // none when OpenGL cannot be set up
    QHBoxLayout* viewArea_ = nullptr;
    QListWidget* ObjectList = nullptr;
    QPushButton* ViewBtn = nullptr;
    QPushButton* AddBtn = nullptr;
    QTimer* Render = nullptr;
};

} // namespace zev::workspace
