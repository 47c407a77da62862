// Real files through the Win32 file functions.
#pragma once

#include "platform/files.h"

namespace quib {

class Win32Files final : public Files {
 public:
  bool FileExists(const std::string& path) override;
  std::int64_t FileSize(const std::string& path) override;
  std::unique_ptr<InputFile> OpenRead(const std::string& path) override;
  std::unique_ptr<OutputFile> Create(const std::string& path) override;
  bool Copy(const std::string& from, const std::string& to) override;
  bool Delete(const std::string& path) override;
  bool Replace(const std::string& from, const std::string& to) override;
};

}  // namespace quib
