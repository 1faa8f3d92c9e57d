#include "stores/window_settings.h"

namespace velm {

namespace {

constexpr char kFormSection[] = "FORM";
constexpr char kListFlagKey[] = "LSTFLAG";
constexpr char kTopKey[] = "TOP";
constexpr char kLeftKey[] = "LEFT";

}  // namespace

WindowSettings ReadWindowSettings(Settings& settings) {
  WindowSettings window;
  window.list_flag = settings.ReadBool(kFormSection, kListFlagKey, window.list_flag);
  window.top = settings.ReadInteger(kFormSection, kTopKey, window.top);
  window.left = settings.ReadInteger(kFormSection, kLeftKey, window.left);
  return window;
}

void SaveWindowSettings(SettingsFile& file, const SettingsPath& ini_path,
                        const WindowSettings& window) {
  Settings settings(file, ini_path);
  settings.WriteBool(kFormSection, kListFlagKey, window.list_flag);
  settings.WriteInteger(kFormSection, kTopKey, window.top);
  settings.WriteInteger(kFormSection, kLeftKey, window.left);
  settings.Commit();
}

}  // namespace velm
