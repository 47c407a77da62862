// Start-up, shutdown, descriptive values, configuration and readme.
#include "plugin/PluginEntry.h"

#include <cstring>
#include <string_view>
#include <utility>

#include "plugin/Plugin.h"
#include "store/SettingsFile.h"
#include "store/SmartListView.h"

namespace quib {
namespace {

struct KeyAnswer {
  std::string_view key;
  std::string_view answer;
};

constexpr KeyAnswer kDescriptiveValues[] = {
    {"displayname", "QuibVault"},
    {"versionstring", "0.5.0.7"},
    {"releasedatestring", "Sept 25th, 2009"},
    {"author", kAuthorName},
    {"updateurl", ""},
    {"homepageurl", "https://quibvault.example.org/"},
    {"shortdescription", "Tracks all text copied to clipboard for search and retrieval."},
    {"longdescription",
     "QuibVault monitors the clipboard and keeps track of all text items copied to it.  "
     "Activate the plugin to search past items and quickly recopy to clipboard."},
    {"advconfigstring", "Configuration"},
    {"readmestring", "View Readme"},
    {"iconfilename", "QuibVaultNormal.ico"},
    {"regexstr", ""},
    {"regexfilterstr", ""},
    {"keywordstr", ""},
    {"scorestr", "1000"},
    {"aliasstr", "qv"},
};

void StartUp(PluginValues& plugin, bool path_fits) {
  if (!path_fits) throw std::length_error("The plug-in's path is too long");
  const std::string folder = plugin.Folder();
  plugin.normal_icon_path = folder + "QuibVaultNormal.ico";
  plugin.link_icon_path = folder + "QuibVaultUrl.ico";
  plugin.data_file_path = folder + "quibvault_data.dat";
  if (!AdvConfigForm) throw std::logic_error("The configuration window does not exist");
  TAdvConfigForm& form = *AdvConfigForm;
  form.SuppressCapture = false;
  (void)LoadSettings(form, folder);
  if (!form.desktop().files.FileExists(plugin.data_file_path))
    form.lvwClipboard.SaveToFile(plugin.data_file_path);
  plugin.data_file_unread = true;
  form.lvwClipboard.LoadFromFile(plugin.data_file_path);
  plugin.data_file_unread = false;
}

/// Message boxes nobody sees: a shutdown asks no questions.
class SilentDialogs final : public Dialogs {
 public:
  int ShowMessage(WindowId, const std::string&, const std::string&, unsigned) override {
    return box::kIdOk;
  }
  std::optional<std::string> OpenFile(WindowId, const OpenFileRequest&) override {
    return std::nullopt;
  }
};

/// A data file that start-up could not read (held by another program, say) still holds
/// the stored list: saving this session over it would move that list to ".bak", and the
/// next shutdown would drop it. Read it now and keep its entries before this session's.
void KeepTheUnreadStoredList(TSmartListView& list, const std::string& path) {
  SilentDialogs silent;
  TSmartListView stored(list.files(), silent);
  stored.LoadFromFile(path);  // still unreadable: the save below fails the same way
  for (std::size_t i = 0; i < list.Count(); ++i) {
    const TListItem& entry = std::as_const(list).Item(i);
    if (const auto older = stored.IndexOfText(entry.Caption)) stored.Delete(*older);
    stored.Add() = entry;
  }
  std::swap(list.Rows(), stored.Rows());
}

void ShutDown(const PluginValues& plugin) {
  AdvConfigForm->ClipboardMonitor().SetEnabled(false);
  // Without a start-up there is no data file path, and nothing to write over.
  if (!plugin.data_file_path.empty()) {
    if (plugin.data_file_unread) KeepTheUnreadStoredList(AdvConfigForm->lvwClipboard, plugin.data_file_path);
    (void)SaveDataFileWithBackup(AdvConfigForm->lvwClipboard, plugin.data_file_path);
  }
  delete AdvConfigForm;
  AdvConfigForm = nullptr;
}

}  // namespace
}  // namespace quib

using quib::Plugin;

extern "C" {

std::int32_t QUIB_CDECL PluginFunc_DoInit(const char* plugin_file, std::int32_t host_data,
                                          std::intptr_t, std::intptr_t, std::intptr_t,
                                          quib::HostCallback callback) {
  quib::PluginValues& plugin = Plugin();
  plugin.host.Connect(host_data, callback);
  plugin.folder = quib::PluginFolderFrom(plugin_file);
  const bool path_fits = quib::FitsPluginFolder(plugin_file);
  try {
    quib::StartUp(plugin, path_fits);
  } catch (...) {
    plugin.host.ReportError("PluginStart");
  }
  return 1;
}

std::int32_t QUIB_CDECL PluginFunc_DoShutDown() {
  if (!AdvConfigForm) return 1;
  try {
    quib::ShutDown(Plugin());
  } catch (...) {
    Plugin().host.ReportError("PluginShutdown");
  }
  return 1;
}

std::int32_t QUIB_CDECL PluginFunc_GetStrVal(const char* key, char* destination, std::int32_t) {
  if (!key || !destination) return 0;
  for (const auto& [known, answer] : quib::kDescriptiveValues) {
    if (known != key) continue;
    std::memcpy(destination, answer.data(), answer.size());
    destination[answer.size()] = '\0';
    return 1;
  }
  return 0;
}

std::int32_t QUIB_CDECL PluginFunc_SetStrVal(const char* key, void* value) {
  if (key && std::string_view(key) == "notifysearchcallback")
    Plugin().host.SetSearchNotify(reinterpret_cast<quib::SearchNotifyCallback>(value));
  return 0;
}

std::int32_t QUIB_CDECL PluginFunc_SupportCheck(const char* interface_name, std::int32_t) {
  return interface_name && std::string_view(interface_name) == "vorpapi" ? 1 : 0;
}

std::int32_t QUIB_CDECL PluginFunc_SetState(std::int32_t) { return 1; }

std::int32_t QUIB_CDECL PluginFunc_DoAdvConfig() {
  try {
    quib::EnsureForm();
    AdvConfigForm->ShowModal();
  } catch (...) {
    Plugin().host.ReportError("FormShow");
  }
  return 1;
}

std::int32_t QUIB_CDECL PluginFunc_DoShowReadMe() {
  try {
    quib::PluginValues& plugin = Plugin();
    if (plugin.desktop && !plugin.Folder().empty())
      plugin.desktop->shell.Open(plugin.Folder() + "\\readme.html");
  } catch (...) {
    // A failure of the shell is ignored.
  }
  return 1;
}

}  // extern "C"
