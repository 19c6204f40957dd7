// The file-selection forms of the game's files. Each returns the chosen path, or nullopt when
// the user cancelled; `current` is the path the form starts from.
#pragma once

#include <optional>
#include <string>

std::optional<std::string> OpenOpsForm(const std::string& current);
std::optional<std::string> OpsSaveFileName(const std::string& current);
std::optional<std::string> GetMapFileToLink(const std::string& current);
std::optional<std::string> GetSymFileToLink(const std::string& current);
std::optional<std::string> MapSaveFileName(const std::string& current);
std::optional<std::string> OpenMapForm(const std::string& current);
std::optional<std::string> OpenSymForm(const std::string& current);
