// The desktop shell: opening a document with the program registered for it.
#pragma once

#include <string>

namespace quib {

class Shell {
 public:
  virtual ~Shell() = default;
  /// Applies the verb "open" to path with the normal show state; failures are ignored.
  virtual void Open(const std::string& path) = 0;
};

}  // namespace quib
