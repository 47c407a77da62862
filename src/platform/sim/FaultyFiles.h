// A file service over another one that fails chosen operations, once or from then on, or
// stops the process right after a chosen operation, for tests of what survives on disk.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"

namespace quib {

/// Thrown when FaultyFiles stops the process. It is no std::exception, so the code's own
/// error guards let it pass as they would let a real end of the process.
struct ProcessStopped {};

class FaultyFiles final : public Files {
 public:
  enum class Op { kFileExists, kFileSize, kOpenRead, kRead, kCreate, kWrite, kCommit, kCopy, kDelete, kReplace };

  explicit FaultyFiles(Files& inner) : inner_(inner) {}

  /// The nth operation from now (1: the next one) fails; with persistent, every later one
  /// too. A failed FileExists answers false, FileSize -1, Copy, Delete and Replace false
  /// without acting; OpenRead, Create, Read and Commit throw PlatformError, and Write writes
  /// half of its bytes and throws, as a full disk does.
  void FailAt(int n, bool persistent = false);
  /// The same, counting only operations of kind op.
  void Fail(Op op, int n = 1, bool persistent = false);
  /// The kth operation from now runs, then the process stops: it and every later operation
  /// throw ProcessStopped until Restart.
  void StopAfter(int k);
  /// The process starts again: no faults, no stop, the counts from zero.
  void Restart();

  bool stopped() const { return stopped_; }
  /// Operations run since the last Restart.
  int operations() const { return operations_; }
  /// Every operation since the last Restart, as "Create <path>", "Write <path>", ...
  const std::vector<std::string>& log() const { return log_; }

  bool FileExists(const std::string& path) override;
  std::int64_t FileSize(const std::string& path) override;
  std::unique_ptr<InputFile> OpenRead(const std::string& path) override;
  std::unique_ptr<OutputFile> Create(const std::string& path) override;
  bool Copy(const std::string& from, const std::string& to) override;
  bool Delete(const std::string& path) override;
  bool Replace(const std::string& from, const std::string& to) override;

  /// Starts an operation: throws when the process has stopped; true when it is to fail.
  bool Begin(Op op, const std::string& path);
  /// Ends an operation that has run: stops the process when it was the chosen one.
  void End();

 private:
  struct Fault {
    std::optional<Op> op;
    int countdown = 0;
    bool persistent = false;
  };

  Files& inner_;
  std::vector<Fault> faults_;
  int operations_ = 0;
  int stop_at_ = 0;
  bool stopped_ = false;
  std::vector<std::string> log_;
};

}  // namespace quib
