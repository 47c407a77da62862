// Real files through the C and C++ standard libraries, for the simulated desktop.
// NOTE: off Windows, the backslashes the plugin builds its paths with become slashes.
#pragma once

#include "platform/files.h"

namespace quib {

class StdFiles final : public Files {
 public:
  bool FileExists(const std::string& path) override;
  std::int64_t FileSize(const std::string& path) override;
  std::unique_ptr<InputFile> OpenRead(const std::string& path) override;
  std::unique_ptr<OutputFile> Create(const std::string& path) override;
  bool Copy(const std::string& from, const std::string& to) override;
  bool Delete(const std::string& path) override;
  bool Replace(const std::string& from, const std::string& to) override;

  /// The path as the host system spells it.
  static std::string NativePath(const std::string& path);
};

}  // namespace quib
