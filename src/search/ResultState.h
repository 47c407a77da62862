// The result state shared by search, result delivery and launch: plugin-wide values that
// live from library load to unload.
#pragma once

#include <cstdint>
#include <string>

namespace quib {

struct ResultState {
  std::int32_t search_state = 0;      ///< 1 while the publish step runs
  std::int32_t result_count = 0;      ///< results ready, a snapshot taken when published
  std::int32_t result_available = 0;  ///< 1 once published, 0 after clearing
  std::int32_t results_locked = 0;    ///< the host's last lock value; nothing reads it
  std::string caption;                ///< of the last fetched result
  std::string details;                ///< of the last fetched result
  std::string launched_text;          ///< of the last launch
};

}  // namespace quib
