#pragma once

#include <filesystem>

class QWidget;

namespace tw::gui {

// The main window's size and position, kept in the settings file (section "Window") beside
// the program's other choices, so that the window opens where the user left it.
void RestoreWindowPlacement(QWidget& window, const std::filesystem::path& settingsFile);
// Writes the placement, keeping everything else in the file; a failure only loses it.
void SaveWindowPlacement(const QWidget& window, const std::filesystem::path& settingsFile);

}  // namespace tw::gui
