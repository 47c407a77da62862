// Shared by the Win32 tests: the plugin DLL loaded from the installable folder, a second
// clipboard viewer in another process, the real clipboard, and a message pump.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace quib::wintest {

/// The installable plugin folder, ending in a backslash.
std::string PluginDir();
std::string PluginPath();

/// Every host command the plugin sent, as "command|value".
std::int32_t __cdecl RecordHostCommand(std::int32_t host_data, const char* command,
                                       const char* value);
std::string& HostCommands();

/// QuibVault.dll loaded for one test, its entry points reached by their exported names.
class LoadedPlugin {
 public:
  LoadedPlugin();
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
  HMODULE module_ = nullptr;
  bool shut_down_ = false;
};

/// Dispatches this thread's messages until event is signalled or timeout_ms passes.
bool PumpUntil(HANDLE event, DWORD timeout_ms);
/// Dispatches this thread's pending messages for about ms milliseconds.
void PumpFor(DWORD ms);

/// Puts text on the real clipboard from this process.
void SetClipboardText(const std::string& text);

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
