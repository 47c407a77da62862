// Plugin-wide values (the host link, the plug-in folder and the paths built from it) and
// the library's lifecycle hooks. One set per loaded library.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "platform/desktop.h"
#include "plugin/HostLink.h"
#include "search/ResultState.h"
#include "ui/AdvConfigFormUnit.h"

namespace quib {

/// Size of the plug-in folder buffer: at most 259 characters and the terminating zero.
inline constexpr std::size_t kPluginFolderSize = 260;
/// The author's name: the "author" answer and the end of the information page's first line.
inline constexpr const char* kAuthorName = "QuibVault developers";

struct PluginValues {
  HostLink host;
  std::array<char, kPluginFolderSize> folder{};  ///< zero-terminated, ends in a backslash
  std::string normal_icon_path;
  std::string link_icon_path;
  std::string data_file_path;
  /// Set while a data file that start-up could not read may still hold a stored list.
  bool data_file_unread = false;
  Desktop* desktop = nullptr;
  ResultState results;

  std::string Folder() const { return folder.data(); }
};

/// The one set of plugin-wide values.
PluginValues& Plugin();

/// The library attach hook: remembers the desktop and creates the configuration window.
/// Never throws.
void OnProcessAttach(Desktop& desktop);
/// Library unload: releases the plugin-wide values and a window that shutdown did not
/// destroy, saving nothing. Never throws.
void OnUnload();
/// Creates the configuration window into AdvConfigForm when there is none.
void EnsureForm();
/// The plug-in folder that a path given to DoInit yields: the text ended right after its
/// last backslash. A path too long for the buffer yields no folder (empty): cut short it
/// could name another folder, whose files the plugin would then read and replace.
std::array<char, kPluginFolderSize> PluginFolderFrom(const char* path);
/// Whether a path given to DoInit fits the plug-in folder buffer.
bool FitsPluginFolder(const char* path);

}  // namespace quib

extern "C" {
/// The configuration window, exported as _AdvConfigForm; null before creation and after
/// shutdown.
extern quib::TAdvConfigForm* AdvConfigForm;
}
