#include "AppTestSupport.h"

#include "workspace/OffscreenRender.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <fstream>
#include <sstream>

namespace apptest {

using zev::app::UnsavedChoice;

EditorSandbox::EditorSandbox() {
    std::filesystem::create_directories(home());
    settings = std::make_unique<zev::platform::SettingsStore>(
        QString::fromStdString(settingsFile().string()));
}

zev::app::EditorContext EditorSandbox::context() {
    zev::app::EditorContext c;
    c.programDirectory = home();
    c.settings = settings.get();
    return c;
}

ScriptedDesignForm::ScriptedDesignForm(zev::app::EditorContext context)
    : TDesignForm(std::move(context)) {
    reporter().setFullScreenHook([this](const std::function<void()>& box) {
        ++messageBoxes;
        if (showBoxes)
            box();
    });
}

UnsavedChoice ScriptedDesignForm::askUnsavedWork() {
    ++unsavedAsked;
    if (unsavedAnswers.empty()) {
        ADD_FAILURE() << "the unsaved-work prompt was not expected";
        return UnsavedChoice::Cancel;
    }
    const UnsavedChoice answer = unsavedAnswers.front();
    unsavedAnswers.pop_front();
    return answer;
}

std::optional<std::filesystem::path> ScriptedDesignForm::askOpenPath() {
    ++openAsked;
    if (openAnswers.empty()) {
        ADD_FAILURE() << "the open dialog was not expected";
        return std::nullopt;
    }
    auto answer = openAnswers.front();
    openAnswers.pop_front();
    return answer;
}

std::optional<std::filesystem::path> ScriptedDesignForm::askSavePath() {
    ++saveAsked;
    if (saveAnswers.empty()) {
        ADD_FAILURE() << "the save dialog was not expected";
        return std::nullopt;
    }
    auto answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
}

std::optional<zev::mission::NewMissionSelection> ScriptedDesignForm::askNewMission() {
    ++newAsked;
    if (realSelectionDialog)
        return TDesignForm::askNewMission();
    if (newAnswers.empty()) {
        ADD_FAILURE() << "the New Mission Selection dialog was not expected";
        return std::nullopt;
    }
    auto answer = newAnswers.front();
    newAnswers.pop_front();
    return answer;
}

bool ScriptedDesignForm::askCompileAnyway(int) {
    ++compileAnywayAsked;
    return compileAnyway;
}

zev::mission::NewMissionSelection Selection(const std::string& project, const std::string& mission,
                                            int players, bool freeForAll) {
    zev::mission::NewMissionSelection s;
    s.projectName = project;
    s.missionName = mission;
    s.players = players;
    s.freeForAll = freeForAll;
    return s;
}

void answerNextModal(std::function<void(QWidget*)> answer, int timeoutMs) {
    auto* timer = new QTimer(qApp);
    auto* clock = new QElapsedTimer;
    clock->start();
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, clock, answer, timeoutMs] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) {
            if (clock->elapsed() > timeoutMs) {
                ADD_FAILURE() << "no modal dialog appeared";
                timer->stop();
                timer->deleteLater();
                delete clock;
            }
            return;
        }
        timer->stop();
        timer->deleteLater();
        delete clock;
        answer(modal);
    });
    timer->start();
}

ModalScript::ModalScript(std::vector<Step> steps, int timeoutMs)
    : steps_(std::move(steps)), timeoutMs_(timeoutMs) {
    timer_.setInterval(20);
    clock_.start();
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        QWidget* modal = QApplication::activeModalWidget();
        if (clock_.elapsed() > timeoutMs_) {
            if (!gaveUp_)
                ADD_FAILURE() << "step " << next_ << " of the modal script never came";
            gaveUp_ = true;
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->done(QDialog::Rejected);
            return;
        }
        if (modal && next_ < steps_.size() && steps_[next_](modal))
            ++next_;
    });
    timer_.start();
}

void ensureGuiApplication() {
    if (QCoreApplication::instance())
        return;
    zev::workspace::PrepareOffscreenPlatform();
    static int argc = 1;
    static char name[] = "zev_app_display_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv); // lives until the process ends
}

void settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

std::string readFileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace apptest
