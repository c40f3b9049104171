#pragma once

#include <string>
#include <vector>

#include "rename/choices.h"

namespace Rename {

// Named sets of choices, one settings file each: <folder>/<name>.ini.

// $XDG_CONFIG_HOME/morvane/presets (else ~/.config/morvane/presets).
std::string PresetFolder();

// A name that can be a file name of its own: 1 to 64 bytes, no "/", no
// control character, not starting with ".".
bool ValidPresetName(const std::string& name);

// Writes the choices under name, creating the folder. Raises
// Settings::EMorvaneError for a bad name and Settings::EIniWriteError when the file
// cannot be written; a text with a line break cannot be kept either.
void SavePreset(const std::string& folder, const std::string& name, const TChoices& choices);

// The names of the presets in folder, sorted; none when it cannot be read.
std::vector<std::string> ListPresets(const std::string& folder);

// Reads the choices saved under name over choices; false (choices untouched)
// when the name is bad or there is no such preset.
bool LoadPreset(const std::string& folder, const std::string& name, TChoices& choices);

}  // namespace Rename
