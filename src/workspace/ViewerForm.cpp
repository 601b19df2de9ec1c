#include "workspace/ViewerForm.h"

#include "workspace/OffscreenRender.h"
#include "workspace/WorkspaceRenderer.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenuBar>
#include <QOpenGLContext>
#include <QOpenGLWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace zev::workspace {

namespace {

constexpr const char* kProgramTitle = "ZEVEDIT 3D";
constexpr int kRenderInterval = 1; // milliseconds

} // namespace

// The viewer's 3D view: the viewer scene through a viewport of the widget's size on the
// viewer's camera, drawn by the workspace's renderer.
class ViewerView : public QOpenGLWidget {
public:
    ViewerView(const ViewerScene& scene, std::function<engine::RenderQuality()> quality,
               std::function<void(const QString&)> failed, QWidget* parent)
        : QOpenGLWidget(parent), scene_(scene), quality_(std::move(quality)),
          failed_(std::move(failed)) {
        setFormat(WorkspaceSurfaceFormat());
    }

    ~ViewerView() override {
        Release();
        if (context())
            disconnect(context(), nullptr, this, nullptr);
    }

    bool Failed() const { return failed_now_; }

protected:
    void initializeGL() override {
        connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, [this] { Release(); });
        if (!renderer_.Initialize()) {
            failed_now_ = true;
            failed_(QString::fromStdString(renderer_.ErrorText()));
        }
        // The scene's point light sits inside every fitted object and lights none of its faces;
        // the light travelling with the camera lets the shape read as it turns.
        renderer_.SetEditorLighting(true);
    }

    void paintGL() override {
        if (!renderer_.IsInitialized())
            return;
        engine::Viewport viewport(scene_.Camera(), 0, 0, width(), height());
        viewport.SetBack(ViewerScene::kBackDistance);
        const double ratio = devicePixelRatioF();
        renderer_.Render(*scene_.SceneFrame(), viewport, quality_(), int(width() * ratio),
                         int(height() * ratio), ratio);
    }

private:
    void Release() {
        if (!renderer_.IsInitialized() || !context())
            return;
        makeCurrent();
        renderer_.Release();
        doneCurrent();
    }

    const ViewerScene& scene_;
    std::function<engine::RenderQuality()> quality_;
    std::function<void(const QString&)> failed_;
    WorkspaceRenderer renderer_;
    bool failed_now_ = false;
};

TViewerForm::TViewerForm(const std::filesystem::path& programDirectory,
                         const std::filesystem::path& archivePath, common::Reporter& reporter,
                         ViewerActions actions, QWidget* parent)
    : QDialog(parent), archivePath_(archivePath), reporter_(reporter), actions_(std::move(actions)),
      model_(programDirectory) {
    setObjectName(QStringLiteral("ViewerForm"));
    setWindowTitle(QStringLiteral("ZEVEDIT 3D Object Viewer"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setModal(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
    resize(640, 480);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    viewArea_ = layout;

    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("Panel"));
    panel->setFixedWidth(kPanelWidth);
    // The panel keeps the usual window colour; only the client area behind the view is black.
    QPalette usual = panel->palette();
    usual.setColor(QPalette::Window, QApplication::palette().color(QPalette::Window));
    panel->setPalette(usual);
    panel->setAutoFillBackground(true);
    auto* column = new QVBoxLayout(panel);
    // Narrow margins: the panel is 136 pixels and its buttons' texts should fit.
    column->setContentsMargins(3, 6, 3, 6);
    ObjectList = new QListWidget;
    ObjectList->setObjectName(QStringLiteral("ObjectList"));
    ObjectList->installEventFilter(this);
    ViewBtn = new QPushButton(QStringLiteral("View Selected Object"));
    ViewBtn->setObjectName(QStringLiteral("ViewBtn"));
    ViewBtn->setAutoDefault(false);
    AddBtn = new QPushButton(QStringLiteral("Add to Database"));
    AddBtn->setObjectName(QStringLiteral("AddBtn"));
    AddBtn->setAutoDefault(false);
    column->addWidget(ObjectList, 1);
    column->addWidget(ViewBtn);
    column->addWidget(AddBtn);
    layout->addWidget(panel);
    BuildMenu();

    Render = new QTimer(this);
    Render->setObjectName(QStringLiteral("Render"));
    Render->setInterval(kRenderInterval);
    connect(Render, &QTimer::timeout, this, &TViewerForm::RenderTimer);
    connect(ViewBtn, &QPushButton::clicked, this, &TViewerForm::ViewBtnClick);
    connect(AddBtn, &QPushButton::clicked, this, &TViewerForm::AddBtnClick);
    connect(ObjectList, &QListWidget::itemDoubleClicked, this, &TViewerForm::ObjectListDblClick);
    FormCreate();
}

TViewerForm::~TViewerForm() {
    FormClose();
}

void TViewerForm::run(const std::filesystem::path& programDirectory,
                      const std::filesystem::path& archivePath, common::Reporter& reporter,
                      ViewerActions actions, QWidget* parent) {
    TViewerForm form(programDirectory, archivePath, reporter, std::move(actions), parent);
    form.exec();
}

void TViewerForm::BuildMenu() {
    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("MainMenu"));
    // Black is the client area's only; the menu keeps the usual colours (set role by role: a
    // palette taken whole from the application would still inherit the window's black).
    QPalette usual = bar->palette();
    usual.setColor(QPalette::Window, QApplication::palette().color(QPalette::Window));
    bar->setPalette(usual);
    bar->setAutoFillBackground(true);
    auto add = [this](QMenu* menu, const char* name, const QString& text, auto slot) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    auto* exit = bar->addAction(QStringLiteral("Exit"));
    exit->setObjectName(QStringLiteral("Exit1"));
    connect(exit, &QAction::triggered, this, &TViewerForm::Exit1Click);

    QMenu* fill = bar->addMenu(QStringLiteral("Fill mode"));
    auto* fills = new QActionGroup(this);
    for (QAction* action :
         {add(fill, "Points", QStringLiteral("Points"), &TViewerForm::PointsClick),
          add(fill, "WireFrame", QStringLiteral("Wire Frame"), &TViewerForm::WireFrameClick),
          add(fill, "Solid", QStringLiteral("Solid"), &TViewerForm::SolidClick)}) {
        action->setCheckable(true);
        fills->addAction(action);
    }
    fills->actions().back()->setChecked(true);

    QMenu* shade = bar->addMenu(QStringLiteral("Shade Mode"));
    auto* shades = new QActionGroup(this);
    for (QAction* action :
         {add(shade, "Flat", QStringLiteral("Flat"), &TViewerForm::FlatClick),
          add(shade, "Gouraud", QStringLiteral("Gouraud"), &TViewerForm::GouraudClick),
          add(shade, "Phong", QStringLiteral("Phong"), &TViewerForm::PhongClick)}) {
        action->setCheckable(true);
        shades->addAction(action);
    }
    shades->actions()[1]->setChecked(true);

    auto* database = bar->addAction(QStringLiteral("Object Database"));
    database->setObjectName(QStringLiteral("ObjectDatabase1"));
    connect(database, &QAction::triggered, this, &TViewerForm::ObjectDatabase1Click);
    layout()->setMenuBar(bar);
}

void TViewerForm::FormCreate() {
    if (model_.LoadNames(reporter_))
        for (const std::string& name : model_.Names())
            ObjectList->addItem(QString::fromStdString(name));
    SetupView();
}

void TViewerForm::SetupView() {
    // Asked before the view exists: a widget that cannot make its context is not safe to show
    // on every platform.
    QOpenGLContext probe;
    probe.setFormat(WorkspaceSurfaceFormat());
    if (!probe.create()) {
        auto* blank = new QWidget;
        blank->setObjectName(QStringLiteral("ViewerView"));
        viewArea_->insertWidget(0, blank, 1);
        ReportViewFailure(QStringLiteral("No OpenGL 3.3 context can be made on this display."));
        return;
    }
    view_ = new ViewerView(
        scene_, [this] { return model_.Quality(); },
        [this](const QString& why) {
            // Told after the view's set-up has returned: a message box must not open inside it.
            QMetaObject::invokeMethod(
                this, [this, why] { ReportViewFailure(why); }, Qt::QueuedConnection);
        },
        this);
    view_->setObjectName(QStringLiteral("ViewerView"));
    viewArea_->insertWidget(0, view_, 1);
    // The view finishes its set-up (the renderer) when it is first shown.
    clock_.Tick();
    Render->start();
}

void TViewerForm::ReportViewFailure(const QString& text) {
    if (viewFailed_)
        return;
    viewFailed_ = true;
    Render->stop();
    reporter_.report("Error Creating Direct3D", "Viewer Error...", common::MessageIcon::Stop);
    if (!text.isEmpty())
        reporter_.detail(text.toStdString());
}

void TViewerForm::RenderTimer() {
    if (!view_ || view_->Failed()) {
        Render->stop();
        return;
    }
    scene_.Move(double(clock_.Tick()));
    view_->update();
}

QString TViewerForm::SelectedName() const {
    const QList<QListWidgetItem*> selected = ObjectList->selectedItems();
    return selected.isEmpty() ? QString() : selected.front()->text();
}

void TViewerForm::ViewSelectedObject() {
    const QString name = SelectedName();
    if (name.isEmpty())
        return;
    scene_.ClearObject();
    const auto record = model_.FindRecord(name.toStdString(), reporter_);
    if (!record)
        return;
    const auto offset = std::uint32_t(record->int32(gamedata::GeometryIndexRecord::dataOffset));
    scene_.ShowGeometry(archivePath_, offset, model_.Quality(), reporter_);
    if (view_)
        view_->update();
}

void TViewerForm::ViewBtnClick() {
    ViewSelectedObject();
}

void TViewerForm::ObjectListDblClick() {
    ViewSelectedObject();
}

void TViewerForm::ObjectListKeyDown(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        ViewSelectedObject();
}

bool TViewerForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ObjectList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        ObjectListKeyDown(key);
        // Enter is the list's own; it must not close the dialog as its default button.
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TViewerForm::AddBtnClick() {
    const QString name = SelectedName();
    if (name.isEmpty()) {
        reporter_.report("No Object Selected!", kProgramTitle, common::MessageIcon::Question);
        return;
    }
    if (actions_.addToDatabase)
        actions_.addToDatabase(edit::databaseGeometryName(name.toStdString()));
}

void TViewerForm::Exit1Click() {
    close();
}

void TViewerForm::ObjectDatabase1Click() {
    if (actions_.openObjectDatabase)
        actions_.openObjectDatabase();
}

void TViewerForm::ApplyQuality() {
    scene_.ApplyQuality(model_.Quality());
    if (view_)
        view_->update();
}

void TViewerForm::PointsClick() {
    model_.SetFill(engine::FillMode::Points);
    ApplyQuality();
}

void TViewerForm::WireFrameClick() {
    model_.SetFill(engine::FillMode::Wireframe);
    ApplyQuality();
}

void TViewerForm::SolidClick() {
    model_.SetFill(engine::FillMode::Solid);
    ApplyQuality();
}

void TViewerForm::FlatClick() {
    model_.SetShade(engine::ShadeMode::Flat);
    ApplyQuality();
}

void TViewerForm::GouraudClick() {
    model_.SetShade(engine::ShadeMode::Gouraud);
    ApplyQuality();
}

void TViewerForm::PhongClick() {
    model_.SetShade(engine::ShadeMode::Phong);
    ApplyQuality();
}

void TViewerForm::FormClose() {
    Render->stop();
    scene_.ClearObject();
}

void TViewerForm::closeEvent(QCloseEvent* event) {
    FormClose();
    QDialog::closeEvent(event);
}

void TViewerForm::done(int result) {
    FormClose();
    QDialog::done(result);
}

} // namespace zev::workspace
