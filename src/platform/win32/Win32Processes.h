// The real process queries: the foreground window's process, and its executable through
// the process-status library or, on the older system family, a tool-help snapshot.
#pragma once

#include "platform/processes.h"

namespace quib {

class Win32Processes final : public Processes {
 public:
  /// How executables are named: as the system's version says, or one way on purpose.
  enum class Family { FromVersion, ProcessStatus, ToolHelp };

  explicit Win32Processes(Family family = Family::FromVersion);
  /// Frees nothing: it may run inside the loader's detach notification.
  ~Win32Processes() override = default;
  Win32Processes(const Win32Processes&) = delete;
  Win32Processes& operator=(const Win32Processes&) = delete;

  bool UsesProcessStatus() const override { return process_status_; }
  /// Loads "PSAPI.DLL" and then "VDMDBG.DLL" by name; true when both loaded.
  bool LoadLibraries() override;
  void FreeLibraries() noexcept override;
  WindowId ForegroundWindow() override;
  std::uint32_t WindowProcessId(WindowId window) override;
  ProcessFileName GetProcessFileName(std::uint32_t process_id, bool full_path_preferred) override;

  /// The loader is detaching the library: from now on FreeLibraries forgets the libraries
  /// instead of freeing them, which is unsafe inside the loader's notification.
  void KeepLibrariesLoaded() { keep_libraries_loaded_ = true; }

 private:
  bool process_status_;
  bool keep_libraries_loaded_ = false;
  // HMODULEs, reached by name only so that neither library is in our import table.
  void* psapi_ = nullptr;
  void* vdmdbg_ = nullptr;
};

}  // namespace quib
