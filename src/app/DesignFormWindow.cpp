// The main window as a desktop window: its layout kept between runs, the tool tips that name
// keys, the hint over an empty workspace, the mission named on the command line and where the
// file dialogs start.

#include "DesignForm.h"

#include "platform/EditorSettings.h"

#include <QAction>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>

namespace zev::app {

namespace {

QString withKey(const QString& text, const QString& key) {
    return key.isEmpty() ? text : text + QStringLiteral(" (") + key + QLatin1Char(')');
}

QString shortcutText(const QAction* action) {
    return action->shortcut().toString(QKeySequence::NativeText);
}

} // namespace

QString TDesignForm::sampleMissionPath() const {
    const std::filesystem::path sample =
        context_.programDirectory.parent_path() / "missions" / "sample.mdb";
    std::error_code ec;
    return std::filesystem::is_regular_file(sample, ec) ? QString::fromStdString(sample.string())
                                                        : QString();
}

QString TDesignForm::lastMissionFolder() const {
    std::string file = controller_->fileName();
    if (file.empty() && !recent_.files().empty())
        file = recent_.files().front();
    if (!file.empty()) {
        const QFileInfo info(QString::fromStdString(file));
        if (info.dir().exists())
            return info.absolutePath();
    }
    const QString sample = sampleMissionPath();
    if (!sample.isEmpty())
        return QFileInfo(sample).absolutePath();
    return QString::fromStdString(context_.programDirectory.string());
}

bool TDesignForm::restoreWindowLayout() {
    windowLayoutKept_ = true;
    const platform::WindowLayout layout = platform::readWindowLayout(*context_.settings);
    if (layout.geometry.isEmpty())
        return false;
    // restoreGeometry puts a window that no longer fits (another screen) back on the screen.
    const bool placed = restoreGeometry(layout.geometry);
    restoreState(layout.state);
    return placed;
}

void TDesignForm::saveWindowLayout() {
    if (!windowLayoutKept_)
        return;
    platform::writeWindowLayout(*context_.settings, {saveGeometry(), saveState()});
    context_.settings->sync();
}

void TDesignForm::refreshKeyHints() {
    const auto key = [this](int action) {
        const edit::KeyTable::Entry& entry = keyTable_.entry(action);
        return entry.scanCode ? QString::fromLatin1(entry.name.c_str()) : QString();
    };
    constexpr int kTopView = 17, kFrontView = 18, kDropMode = 22, kMouseMode = 23;
    const struct {
        QAction* button;
        QString text;
        QString key;
    } tips[] = {
        {OpenBtn, QStringLiteral("Open a Saved Mission"), shortcutText(OpenItem)},
        {SaveBtn, QStringLiteral("Save Current Mission"), shortcutText(SaveItem)},
        {SaveAsBtn, QStringLiteral("Save Current Mission As"), shortcutText(SaveAsItem)},
        {NewBtn, QStringLiteral("Create New Mission"), shortcutText(NewItem)},
        {BuildBtn, QStringLiteral("Build Text Files from Current Mission"), {}},
        {CompileBtn, QStringLiteral("Compile Current Mission"), {}},
        {LaunchBtn, QStringLiteral("Launch Current Mission"), {}},
        {ErrorLogBtn, QStringLiteral("View Error Log"), {}},
        {MouseBtn,
         QStringLiteral("Mouse tool: click to select, drag with the left button to move, with "
                        "the right to turn"),
         key(kMouseMode)},
        {DropperBtn,
         QStringLiteral("Dropper tool: click the top view to place the palette's object"),
         key(kDropMode)},
        {SideBtn, QStringLiteral("Enter Front Camera View"), key(kFrontView)},
        {TopBtn, QStringLiteral("Enter Top Camera View"), key(kTopView)},
    };
    for (const auto& tip : tips) {
        tip.button->setToolTip(withKey(tip.text, tip.key));
        tip.button->setStatusTip(tip.button->toolTip());
    }
    for (int i = 0; i < ObjectsTabControl->count(); ++i)
        ObjectsTabControl->setTabToolTip(
            i, QStringLiteral("Object group \"%1\": its objects are listed below; choose one, "
                              "then click the top view with the Dropper tool%2")
                   .arg(ObjectsTabControl->tabText(i),
                        key(kDropMode).isEmpty() ? QString()
                                                 : QStringLiteral(" (%1)").arg(key(kDropMode))));
    DropBtn->setToolTip(withKey(QStringLiteral("The object the Dropper tool places; click to "
                                               "show or hide the list of the group's objects"),
                                key(kDropMode)));
    DropBtn->setText(paletteText_.isEmpty() ? QStringLiteral("(choose an object below)")
                                            : paletteText_);
}

void TDesignForm::updateEmptyHint() {
    if (controller_->hasDocument()) {
        EmptyHint->hide();
        return;
    }
    QString text = QStringLiteral("<p><b>No mission is open.</b></p>"
                                  "<p><a href=\"new\">New mission</a> (%1) &nbsp; "
                                  "<a href=\"open\">Open a mission</a> (%2)</p>")
                       .arg(shortcutText(NewItem), shortcutText(OpenItem));
    const QString sample = sampleMissionPath();
    if (!sample.isEmpty())
        text += QStringLiteral("<p><a href=\"sample\">Open the sample mission</a><br>%1</p>")
                    .arg(sample.toHtmlEscaped());
    text += QStringLiteral("<p><a href=\"guide\">User Guide</a> (%1): the first mission in ten "
                           "steps</p>")
                .arg(shortcutText(UserGuide1));
    EmptyHint->setText(text);
    EmptyHint->show();
    EmptyHint->raise();
    QEvent resize(QEvent::Resize);
    eventFilter(workspaceArea_, &resize);
}

void TDesignForm::emptyHintLink(const QString& link) {
    if (link == QLatin1String("new"))
        NewItem->trigger();
    else if (link == QLatin1String("open"))
        OpenItem->trigger();
    else if (link == QLatin1String("guide"))
        UserGuide1->trigger();
    else if (link == QLatin1String("sample") && !busy_)
        controller_->openFile(sampleMissionPath().toStdString());
}

bool TDesignForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == workspaceArea_ && event->type() == QEvent::Resize) {
        const QSize area = workspaceArea_->size();
        const int width = std::max(120, std::min(480, area.width() - 40));
        const int height = std::min(EmptyHint->heightForWidth(width), area.height());
        EmptyHint->setGeometry((area.width() - width) / 2, (area.height() - height) / 3, width,
                               height);
    }
    return QMainWindow::eventFilter(watched, event);
}

void TDesignForm::openStartMission() {
    if (context_.startMission.isEmpty())
        return;
    const QString file = context_.startMission;
    context_.startMission.clear();
    // A file that cannot be opened is reported as Open reports it; the window stays empty.
    controller_->openFile(file.toStdString());
}

} // namespace zev::app
