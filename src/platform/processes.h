// The foreground window and the executable of the process it belongs to.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/types.h"

namespace quib {

/// Window and process queries behind the source-application lookup.
class Processes {
 public:
  virtual ~Processes() = default;
  /// Makes the process-status functions reachable; false when they are not.
  virtual bool LoadLibraries() = 0;
  virtual WindowId ForegroundWindow() = 0;
  /// The id of the process that owns window, 0 when it cannot be told.
  virtual std::uint32_t WindowProcessId(WindowId window) = 0;
  /// The full path of the executable of process id; nullopt when it cannot be told.
  virtual std::optional<std::string> ProcessExecutable(std::uint32_t process_id) = 0;
};

}  // namespace quib
