// The foreground window, the process that owns a window, and the executable of a process,
// as the source-application lookup asks for them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/types.h"

namespace quib {

/// What a process's executable lookup wrote: the text and the finder's flag.
struct ProcessFileName {
  /// Longest text a lookup gives: a module name buffer of 260 bytes holds 259 and a NUL.
  static constexpr std::size_t kMaxLength = 259;

  bool found = false;  ///< the finder's flag; callers rely on the text alone
  /// A module's full path or base name, "failed0" (a library missing), "failed1" (an entry
  /// point missing), "failed2" (the process list unreadable), or empty.
  std::string text;
};

/// Window and process queries behind the source-application lookup.
class Processes {
 public:
  virtual ~Processes() = default;
  /// True on the system family whose process-status library names executables; false on
  /// the older family, which walks a snapshot of the processes instead.
  virtual bool UsesProcessStatus() const = 0;
  /// Loads the process-status and debug-helper libraries; true when both loaded. Only
  /// called when UsesProcessStatus().
  virtual bool LoadLibraries() = 0;
  /// Releases what LoadLibraries loaded, the debug helper first; a library that did not
  /// load is passed over.
  virtual void FreeLibraries() noexcept = 0;
  /// The window the user works in; no window when there is none.
  virtual WindowId ForegroundWindow() = 0;
  /// The id of the process that owns window; 0 when it cannot be told.
  virtual std::uint32_t WindowProcessId(WindowId window) = 0;
  /// The executable of process_id: its full path when full_path_preferred and the path is
  /// known, else its file name. Never throws.
  virtual ProcessFileName GetProcessFileName(std::uint32_t process_id,
                                             bool full_path_preferred) = 0;
};

}  // namespace quib
