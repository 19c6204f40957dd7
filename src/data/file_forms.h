// The file-selection forms of the game's files. Each shows the file dialog with its own title and
// filters, starting from `current` (the path the form serves), checks the choice and returns it:
// the chosen path, or nullopt when the user cancelled or the choice was refused. The caller
// stores a chosen path in the global it serves, so a refused choice leaves that global as it was.
// Each form also leaves dialog_result 1 (chosen) or 0, and sets load_for_game on a choice.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Tells the map and symbol-set loaders that they load for a game and may ask for missing files.
// The forms clear it when they open and set it when a file was chosen.
// The "for a game" flag the forms clear and set is load_for_game (data/board.h).

std::optional<std::string> OpenOpsForm(const std::string& current);
std::optional<std::string> OpsSaveFileName(const std::string& current);
std::optional<std::string> GetMapFileToLink(const std::string& current);
std::optional<std::string> GetSymFileToLink(const std::string& current);
std::optional<std::string> MapSaveFileName(const std::string& current);
std::optional<std::string> OpenMapForm(const std::string& current);
std::optional<std::string> OpenSymForm(const std::string& current);

// Gives a path the extension (".OPS"), replacing another one; an extension that differs only in
// letter case is kept, as the file may already exist under that name.
std::string with_extension(const std::string& path, const std::string& extension);
