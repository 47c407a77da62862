// Plugin-wide values and lifecycle hooks.
#include "plugin/Plugin.h"

#include <cstring>

extern "C" {
quib::TAdvConfigForm* AdvConfigForm = nullptr;
}

namespace quib {

PluginValues& Plugin() {
  static PluginValues values;
  return values;
}

void EnsureForm() {
  PluginValues& plugin = Plugin();
  if (AdvConfigForm) return;
  if (!plugin.desktop) throw std::logic_error("The library is not attached");
  AdvConfigForm = new TAdvConfigForm(*plugin.desktop, plugin.host);
}

void OnProcessAttach(Desktop& desktop) {
  Plugin().desktop = &desktop;
  try {
    EnsureForm();
  } catch (...) {
    // Nothing can be reported before DoInit has given us the host; the window stays empty
    // and the configuration request makes another attempt.
  }
}

void OnUnload() {
  delete AdvConfigForm;  // the form's destructor lets nothing out
  AdvConfigForm = nullptr;
  Plugin() = PluginValues();
}

bool FitsPluginFolder(const char* path) {
  return !path || strnlen(path, kPluginFolderSize) < kPluginFolderSize;
}

std::array<char, kPluginFolderSize> PluginFolderFrom(const char* path) {
  std::array<char, kPluginFolderSize> folder{};
  if (!path || !FitsPluginFolder(path)) return folder;
  const std::size_t length = strnlen(path, kPluginFolderSize - 1);
  std::memcpy(folder.data(), path, length);
  folder[length] = '\0';
  if (char* last = std::strrchr(folder.data(), '\\')) last[1] = '\0';
  return folder;
}

}  // namespace quib
