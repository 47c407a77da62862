// Files held in memory, so that a fuzz target runs thousands of inputs a second without
// touching the disk.
#pragma once

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "platform/files.h"

namespace quib::fuzz {

class MemoryFiles final : public Files {
 public:
  std::map<std::string, std::string> files;

  bool FileExists(const std::string& path) override { return files.count(path) != 0; }
  std::int64_t FileSize(const std::string& path) override {
    const auto found = files.find(path);
    return found == files.end() ? -1 : static_cast<std::int64_t>(found->second.size());
  }
  std::unique_ptr<InputFile> OpenRead(const std::string& path) override {
    const auto found = files.find(path);
    if (found == files.end()) throw PlatformError("Cannot open file \"" + path + "\"");
    return std::make_unique<Input>(found->second);
  }
  std::unique_ptr<OutputFile> Create(const std::string& path) override {
    std::string& bytes = files[path];
    bytes.clear();
    return std::make_unique<Output>(bytes);
  }
  bool Copy(const std::string& from, const std::string& to) override {
    if (!files.count(from) || files.count(to)) return false;
    files[to] = files[from];
    return true;
  }
  bool Delete(const std::string& path) override { return files.erase(path) != 0; }
  bool Replace(const std::string& from, const std::string& to) override {
    const auto found = files.find(from);
    if (found == files.end()) return false;
    std::string bytes = std::move(found->second);
    files.erase(found);
    files[to] = std::move(bytes);
    return true;
  }

 private:
  class Input final : public InputFile {
   public:
    explicit Input(const std::string& bytes) : bytes_(bytes) {}
    std::size_t Read(void* buffer, std::size_t size) override {
      const std::size_t piece = std::min(size, bytes_.size() - at_);
      if (piece != 0) std::memcpy(buffer, bytes_.data() + at_, piece);
      at_ += piece;
      return piece;
    }

   private:
    const std::string& bytes_;
    std::size_t at_ = 0;
  };
  class Output final : public OutputFile {
   public:
    explicit Output(std::string& bytes) : bytes_(bytes) {}
    void Write(const void* data, std::size_t size) override { bytes_.append(static_cast<const char*>(data), size); }
    void Commit() override {}

   private:
    std::string& bytes_;
  };
};

/// Stops the run with a report libFuzzer keeps as a crash.
[[noreturn]] inline void Violated(const char* what) {
  std::fprintf(stderr, "property violated: %s\n", what);
  std::abort();
}

}  // namespace quib::fuzz
