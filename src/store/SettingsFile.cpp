// Reading and writing the seven settings between the settings file and the form's controls.
#include "store/SettingsFile.h"

#include "store/FileRotation.h"
#include "ui/AdvConfigFormUnit.h"

namespace quib {
namespace {

constexpr std::string_view kInformation = "Information";
constexpr std::string_view kSettings = "Settings";
constexpr std::string_view kIdentification = "QuibVault";
constexpr unsigned kErrorBox = box::kIconError | box::kOk;

}  // namespace

std::string SettingsFilePath(const std::string& plugin_folder) {
  return plugin_folder + "QuibVault_settings.cfg";
}

std::string DefaultWaveFilePath(const std::string& plugin_folder) { return plugin_folder + "default.wav"; }

bool LoadSettings(TAdvConfigForm& form, const std::string& plugin_folder) {
  Files& files = form.desktop().files;
  Dialogs& dialogs = form.desktop().dialogs;
  const std::string path = SettingsFilePath(plugin_folder);
  const std::string default_wave = DefaultWaveFilePath(plugin_folder);

  if (!files.FileExists(path)) {
    form.SetRecordingState(true);
    form.txtMaxNumberClips.Text = "100";
    form.txtMaxLengthClips.Text = "1000";
    form.chkCopyAndPaste.Checked = false;
    form.chkPlaySound.Checked = false;
    form.txtPlaySound.Text = default_wave;
    if (files.FileExists(default_wave)) {
      try {
        form.WaveFile.Loadfile(default_wave);
      } catch (const std::exception&) {
        // The sound is off by default; an unreadable sound file must not stop the start-up
        // before the clip list is loaded.
      }
    }
    form.cboDateFormat.ItemIndex = 0;
    return false;
  }

  bool completed = false;
  try {
    TIniFile ini(files, path);
    if (ini.ReadString(kInformation, "File Identification", "") != kIdentification) {
      dialogs.ShowMessage(WindowId{},
                          "Error: " + path +
                              " is not a configuration file for this plugin. Please delete it if "
                              "this problem persists.",
                          "Error Wrong Configuration File!", kErrorBox);
    } else {
      completed = ReadSettingsValues(form, ini);
    }
  } catch (const std::exception&) {
    dialogs.ShowMessage(WindowId{},
                        "Error loading " + std::string(kIdentification) + " plugin configuration file '" +
                            path + "'.",
                        "Load Configuration Error!", kErrorBox);
  }
  return completed;
}

bool ReadSettingsValues(TAdvConfigForm& form, TIniFile& ini) {
  // The key holds whether the start button is available: true means recording is off.
  form.SetRecordingState(!ini.ReadBool(kSettings, "Quib.Vault.IsEnabled", false));
  form.txtMaxNumberClips.Text = ini.ReadString(kSettings, "Quib.MaxNumber", "100");
  form.txtMaxLengthClips.Text = ini.ReadString(kSettings, "Quib.MaxLength", "1000");
  form.chkCopyAndPaste.Checked = ini.ReadBool(kSettings, "Quib.Use.CopyAndPaste", true);
  form.chkPlaySound.Checked = ini.ReadBool(kSettings, "Quib.Sound.Play", true);
  form.txtPlaySound.Text = ini.ReadString(kSettings, "Quib.Sound.WavFile", "");
  if (form.desktop().files.FileExists(form.txtPlaySound.Text))
    form.WaveFile.Loadfile(form.txtPlaySound.Text);
  else
    form.chkPlaySound.Checked = false;
  const std::int32_t format = ini.ReadInteger(kSettings, "Quib.Date.Format", 0);
  const bool listed = format >= 0 && static_cast<std::size_t>(format) < form.cboDateFormat.Items.size();
  form.cboDateFormat.ItemIndex = listed ? format : -1;
  if (form.txtMaxNumberClips.Text.empty()) form.txtMaxNumberClips.Text = "100";
  if (form.txtMaxLengthClips.Text.empty()) form.txtMaxLengthClips.Text = "1000";
  return true;
}

bool SaveSettings(TAdvConfigForm& form, const std::string& plugin_folder) {
  Files& files = form.desktop().files;
  const std::string path = SettingsFilePath(plugin_folder);
  // A ".tmp" file left by a failed save is updated, not replaced: its other keys stay.
  const std::string temp = path + ".tmp";
  bool written = false;
  try {
    TIniFile ini(files, temp);
    written = WriteSettingsValues(form, ini);
    ini.UpdateFile();
  } catch (const std::exception&) {
    written = false;
  }
  if (written && files.FileExists(temp)) (void)ReplaceWithBackup(files, temp, path);
  return written;
}

bool WriteSettingsValues(TAdvConfigForm& form, TIniFile& ini) {
  ini.WriteString(kInformation, "File Identification", kIdentification);
  ini.WriteString(kInformation, "Version", "0.5.0.7");
  ini.WriteBool(kSettings, "Quib.Vault.IsEnabled", form.cmdStart.Enabled);
  ini.WriteString(kSettings, "Quib.MaxNumber", form.txtMaxNumberClips.Text);
  ini.WriteString(kSettings, "Quib.MaxLength", form.txtMaxLengthClips.Text);
  ini.WriteBool(kSettings, "Quib.Use.CopyAndPaste", form.chkCopyAndPaste.Checked);
  ini.WriteBool(kSettings, "Quib.Sound.Play", form.chkPlaySound.Checked);
  ini.WriteString(kSettings, "Quib.Sound.WavFile", form.txtPlaySound.Text);
  ini.WriteInteger(kSettings, "Quib.Date.Format", form.cboDateFormat.ItemIndex);
  if (form.desktop().files.FileExists(form.txtPlaySound.Text)) {
    try {
      form.WaveFile.Loadfile(form.txtPlaySound.Text);
    } catch (const std::exception&) {
      // A sound file that cannot be read now costs the player its sound, not the user the
      // settings just changed.
    }
  } else {
    ini.WriteBool(kSettings, "Quib.Sound.Play", false);
  }
  return true;
}

}  // namespace quib
