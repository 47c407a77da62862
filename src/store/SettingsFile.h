// The settings file "QuibVault_settings.cfg" beside the library: its seven keys live in the
// configuration window's controls at run time, and are read into them and written from them.
#pragma once

#include <string>

#include "store/IniFile.h"

namespace quib {

class TAdvConfigForm;

/// The settings file path and the default wave file path in plugin_folder (which ends in
/// a backslash).
std::string SettingsFilePath(const std::string& plugin_folder);
std::string DefaultWaveFilePath(const std::string& plugin_folder);

/// Reads the settings file in plugin_folder into the form's controls, or applies the
/// defaults when there is none. Shows a message box for a file of another program or one
/// that cannot be read. True when every key was read.
bool LoadSettings(TAdvConfigForm& form, const std::string& plugin_folder);
/// Reads every key into its control; the file's identification has been checked.
bool ReadSettingsValues(TAdvConfigForm& form, TIniFile& ini);

/// Writes every control into the settings file through its ".tmp" file, which then takes
/// the file's place, the previous file kept as ".bak". Failures are dropped without a
/// message; true when every key reached the disk.
bool SaveSettings(TAdvConfigForm& form, const std::string& plugin_folder);
/// Writes every key from its control.
bool WriteSettingsValues(TAdvConfigForm& form, TIniFile& ini);

}  // namespace quib
