// The process finder: names the executable of a window's process.
#pragma once

#include "platform/processes.h"

namespace quib {

class CPSAPIT {
 public:
  explicit CPSAPIT(Processes& processes) : processes_(processes) {}

  /// Makes the process-status functions reachable; false when they are not.
  bool LoadLibraries() { return processes_.LoadLibraries(); }

 private:
  Processes& processes_;
};

}  // namespace quib
