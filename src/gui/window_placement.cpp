#include "gui/window_placement.h"

#include <QByteArray>
#include <QWidget>
#include <system_error>

#include "files/profile.h"

namespace tw::gui {
namespace {

constexpr std::string_view kSection = "Window";
constexpr std::string_view kGeometryKey = "Geometry";

}  // namespace

void RestoreWindowPlacement(QWidget& window, const std::filesystem::path& settingsFile) {
  files::Profile profile;
  if (!profile.Load(settingsFile)) return;
  const std::string stored = profile.GetString(kSection, kGeometryKey, "", std::string::npos);
  if (stored.empty()) return;
  // Qt puts a window that would lie off every screen back onto one.
  window.restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(stored)));
}

void SaveWindowPlacement(const QWidget& window, const std::filesystem::path& settingsFile) {
  files::Profile profile;
  std::error_code error;
  if (std::filesystem::exists(settingsFile, error) && !profile.Load(settingsFile)) return;
  profile.WriteString(kSection, kGeometryKey, window.saveGeometry().toBase64().toStdString());
  if (settingsFile.has_parent_path()) std::filesystem::create_directories(settingsFile.parent_path(), error);
  (void)profile.Save(settingsFile);
}

}  // namespace tw::gui
