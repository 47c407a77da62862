// Shared by the Win32 tests: the plugin DLL loaded from the installable folder, a second
// clipboard viewer in another process, the real clipboard, and a message pump.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quib::wintest {

/// The installable plugin folder, ending in a backslash.
std::string PluginDir();
std::string PluginPath();

/// A fresh folder holding a copy of the plugin DLL, removed with everything in it afterwards.
/// Tests load the plugin from here, so its files never land in the installable folder.
class PluginFolder {
 public:
  PluginFolder();
  ~PluginFolder();
  PluginFolder(const PluginFolder&) = delete;
  PluginFolder& operator=(const PluginFolder&) = delete;
  /// The folder, ending in a backslash.
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + name; }
  std::string Dll() const { return File("QuibVault.dll"); }
  void Write(const std::string& name, const std::string& bytes) const;
  std::string Read(const std::string& name) const;
  bool Exists(const std::string& name) const;

 private:
  std::string path_;
};

/// One clip entry as the data file holds it.
struct StoredEntry {
  std::string text;
  std::int32_t image_index = 0;
  std::vector<std::string> sub_items;
};
/// The entries of a data file's bytes; fails the test on a malformed file.
std::vector<StoredEntry> ParseDataFile(const std::string& bytes);
/// The bytes of a data file holding entries.
std::string DataFileBytes(const std::vector<StoredEntry>& entries);

/// Every host command the plugin sent, as "command|value".
std::int32_t __cdecl RecordHostCommand(std::int32_t host_data, const char* command,
                                       const char* value);
std::string& HostCommands();

/// QuibVault.dll loaded for one test, its entry points reached by their exported names.
class LoadedPlugin {
 public:
  /// Loads a copy of the DLL from a fresh folder of its own.
  LoadedPlugin();
  /// Loads the DLL copy in folder (the folder must outlive the plugin).
  explicit LoadedPlugin(const PluginFolder& folder);
  ~LoadedPlugin();
  LoadedPlugin(const LoadedPlugin&) = delete;
  LoadedPlugin& operator=(const LoadedPlugin&) = delete;

  HMODULE module() const { return module_; }
  FARPROC Entry(const char* name) const { return GetProcAddress(module_, name); }
  /// The exported _AdvConfigForm variable's value.
  void* AdvConfigForm() const;

  std::int32_t DoInit(std::int32_t host_data = 0x1234);
  std::int32_t DoShutDown();
  std::int32_t GetStrVal(const char* key, char* buffer);
  std::int32_t SupportCheck(const char* name);
  /// Unloads the library without shutting the plugin down.
  void UnloadWithoutShutdown();

 private:
  std::unique_ptr<PluginFolder> own_folder_;
  std::string dll_;
  HMODULE module_ = nullptr;
  bool shut_down_ = false;
};

/// Dispatches this thread's messages until event is signalled or timeout_ms passes.
bool PumpUntil(HANDLE event, DWORD timeout_ms);
/// Dispatches this thread's pending messages for about ms milliseconds.
void PumpFor(DWORD ms);

/// Puts text on the real clipboard from this process.
void SetClipboardText(const std::string& text);

/// The process that owns window.
DWORD OwnerOf(HWND window);
/// Brings a visible window of process_id to the front and returns it; null when none came.
HWND BringToFront(DWORD process_id);

/// Wine's notepad, a real editor window in another process; killed when the test ends.
class Notepad {
 public:
  Notepad();
  ~Notepad() { Kill(); }
  Notepad(const Notepad&) = delete;
  Notepad& operator=(const Notepad&) = delete;
  bool started() const { return started_; }
  DWORD id() const { return process_.dwProcessId; }
  void Kill();

 private:
  PROCESS_INFORMATION process_{};
  bool started_ = false;
};

/// Another program copying text (or holding the clipboard open), through qv_test_viewer.exe.
/// It keeps running and pumping until the object goes, as a clipboard owner must.
class OtherProgram {
 public:
  enum class Action { Copy, CopySecret, CopyPrivate, CopyIgnored, CopyPublic, HoldOpen };
  OtherProgram(Action action, const std::string& text = std::string());
  ~OtherProgram();
  OtherProgram(const OtherProgram&) = delete;
  OtherProgram& operator=(const OtherProgram&) = delete;
  /// Whether the action was done (the text copied, or the clipboard opened).
  bool done() const { return done_; }

 private:
  std::string name_;
  HANDLE ready_ = nullptr, quit_ = nullptr;
  PROCESS_INFORMATION process_{};
  bool done_ = false;
};

/// qv_test_viewer.exe, another process's clipboard viewer, counting the changes it hears.
class ViewerProcess {
 public:
  ViewerProcess();
  ~ViewerProcess();
  /// Waits (pumping this thread) until the viewer heard a change after the last Reset().
  bool WaitForChange(DWORD timeout_ms = 5000);
  void Reset() { ResetEvent(change_); }
  HWND window() const;

 private:
  std::string name_;
  HANDLE ready_ = nullptr, change_ = nullptr, quit_ = nullptr;
  PROCESS_INFORMATION process_{};
};

}  // namespace quib::wintest
