#include "workspace/SceneColours.h"

namespace zev::workspace {

const platform::ColourKey* ColourMenuKey(ColourMenu menu) {
    switch (menu) {
    case ColourMenu::GroundPlane:
        return &platform::kGroundPlaneColour;
    case ColourMenu::StandardObject:
        return &platform::kStandardObjectColour;
    case ColourMenu::RmgObject:
        return &platform::kRmgObjectColour;
    case ColourMenu::SelectedObject:
        return &platform::kSelectedObjectColour;
    case ColourMenu::PlayerStartPoint:
        break;
    }
    return nullptr;
}

platform::Rgb ColourDialogStart(const platform::SettingsStore& settings, ColourMenu menu) {
    if (menu == ColourMenu::PlayerStartPoint)
        return platform::playerColour(settings, 1);
    if (menu == ColourMenu::GroundPlane)
        return platform::readColour(settings,
                                    {platform::kGroundPlaneColour.prefix, {100, 100, 100}});
    return platform::readColour(settings, *ColourMenuKey(menu));
}

} // namespace zev::workspace
