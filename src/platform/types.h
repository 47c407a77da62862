// Value types shared by the platform services, in the system's own terms.
// No platform header types (HWND, DWORD, ...) appear in the service interfaces.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace quib {

/// A window of the desktop; the default value is "no window".
struct WindowId {
  std::uintptr_t value = 0;
  explicit operator bool() const { return value != 0; }
  friend bool operator==(WindowId, WindowId) = default;
};

/// A failure of a platform service; what() is the text the user may see.
class PlatformError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace quib
