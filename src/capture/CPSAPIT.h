// The process finder: names the executable of a process through the process-status
// library, or on the older system family through a snapshot of the processes.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "platform/processes.h"

namespace quib {

class CPSAPIT {
 public:
  /// Asks the system family once; it decides UsesProcessStatus for the finder's life.
  explicit CPSAPIT(Processes& processes)
      : UsesProcessStatus(processes.UsesProcessStatus()), processes_(processes) {}
  /// Releases the libraries on the process-status family.
  virtual ~CPSAPIT() {
    if (UsesProcessStatus) processes_.FreeLibraries();
  }
  CPSAPIT(const CPSAPIT&) = delete;
  CPSAPIT& operator=(const CPSAPIT&) = delete;

  /// Loads the libraries of the process-status family and tells whether both loaded; the
  /// older family needs none, so it loads nothing and says true.
  bool LoadLibraries() { return UsesProcessStatus ? processes_.LoadLibraries() : true; }

  /// Writes the executable's path or name of process_id into file_name (at most
  /// ProcessFileName::kMaxLength bytes, or a "failedN" text, or empty). Callers use the
  /// text; the result carries nothing they rely on.
  bool GetProcessFileName(std::uint32_t process_id, std::string& file_name,
                          bool full_path_preferred) {
    ProcessFileName result = processes_.GetProcessFileName(process_id, full_path_preferred);
    file_name = std::move(result.text);
    return result.found;
  }

  const bool UsesProcessStatus;

 private:
  Processes& processes_;
};

}  // namespace quib
