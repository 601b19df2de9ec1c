#include "WorkspaceTestSupport.h"

#include "mission/NewMission.h"
#include "workspace/OffscreenRender.h"

#include <QApplication>

namespace workspacetest {

std::unique_ptr<zev::mission::MissionDocument> NewMission(const DemoSetup& demo) {
    auto document = std::make_unique<zev::mission::MissionDocument>();
    zev::mission::NewMissionSelection selection;
    selection.projectName = "demo";
    selection.missionName = "test";
    zev::mission::storeSelection(*document, selection);
    zev::mission::resetToNewMission(*document, demo.paths.programDirectory, 0);
    return document;
}

void EnsureGuiApplication() {
    if (QCoreApplication::instance())
        return;
    zev::workspace::PrepareOffscreenPlatform();
    static int argc = 1;
    static char name[] = "zev_workspace_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv); // lives until the process ends
}

int CountTagged(const zev::engine::Frame& parent, int tag) {
    int n = 0;
    for (const auto& child : parent.GetChildren())
        n += child->GetAppData() == tag ? 1 : 0;
    return n;
}

} // namespace workspacetest
