#pragma once

#include "platform/EditorSettings.h"

namespace zev::workspace {

// The colour commands of the render menu.
enum class ColourMenu { GroundPlane, StandardObject, RmgObject, SelectedObject, PlayerStartPoint };

// The settings key a colour command stores its choice under; null for the start point colour
// command, whose choice is not kept (start point markers take the "Player N" values only).
const platform::ColourKey* ColourMenuKey(ColourMenu menu);

// The colour the command's colour dialog opens with: the stored colour, with the ground plane's
// dialog defaulting to 100, 100, 100 when nothing is stored and the start point command showing
// player 1's colour.
platform::Rgb ColourDialogStart(const platform::SettingsStore& settings, ColourMenu menu);

} // namespace zev::workspace
