// Fault injection over a file service.
#include "platform/sim/FaultyFiles.h"

namespace quib {
namespace {

using Op = FaultyFiles::Op;

const char* Name(Op op) {
  switch (op) {
    case Op::kFileExists: return "FileExists";
    case Op::kFileSize: return "FileSize";
    case Op::kOpenRead: return "OpenRead";
    case Op::kRead: return "Read";
    case Op::kCreate: return "Create";
    case Op::kWrite: return "Write";
    case Op::kCommit: return "Commit";
    case Op::kCopy: return "Copy";
    case Op::kDelete: return "Delete";
    case Op::kReplace: return "Replace";
  }
  return "?";
}

/// Runs an operation of the inner service, ending it on the owner also when it throws.
template <class Action>
auto Run(FaultyFiles& owner, Action&& action) {
  decltype(action()) result;
  try {
    result = action();
  } catch (...) {
    owner.End();
    throw;
  }
  owner.End();
  return result;
}

PlatformError Injected(const std::string& what, const std::string& path) {
  return PlatformError(what + " \"" + path + "\". (injected fault)");
}

class FaultyInputFile final : public InputFile {
 public:
  FaultyInputFile(FaultyFiles& owner, std::unique_ptr<InputFile> inner, std::string path)
      : owner_(owner), inner_(std::move(inner)), path_(std::move(path)) {}
  std::size_t Read(void* buffer, std::size_t size) override {
    if (owner_.Begin(Op::kRead, path_)) {
      owner_.End();
      throw Injected("Cannot read file", path_);
    }
    return Run(owner_, [&] { return inner_->Read(buffer, size); });
  }

 private:
  FaultyFiles& owner_;
  std::unique_ptr<InputFile> inner_;
  std::string path_;
};

class FaultyOutputFile final : public OutputFile {
 public:
  FaultyOutputFile(FaultyFiles& owner, std::unique_ptr<OutputFile> inner, std::string path)
      : owner_(owner), inner_(std::move(inner)), path_(std::move(path)) {}
  void Write(const void* data, std::size_t size) override {
    if (owner_.Begin(Op::kWrite, path_)) {
      inner_->Write(data, size / 2);
      owner_.End();
      throw Injected("Cannot write file", path_);
    }
    Run(owner_, [&] {
      inner_->Write(data, size);
      return true;
    });
  }
  void Commit() override {
    if (owner_.Begin(Op::kCommit, path_)) {
      owner_.End();
      throw Injected("Cannot write file", path_);
    }
    Run(owner_, [&] {
      inner_->Commit();
      return true;
    });
  }

 private:
  FaultyFiles& owner_;
  std::unique_ptr<OutputFile> inner_;
  std::string path_;
};

}  // namespace

void FaultyFiles::FailAt(int n, bool persistent) { faults_.push_back(Fault{std::nullopt, n, persistent}); }

void FaultyFiles::Fail(Op op, int n, bool persistent) { faults_.push_back(Fault{op, n, persistent}); }

void FaultyFiles::StopAfter(int k) { stop_at_ = operations_ + k; }

void FaultyFiles::Restart() {
  faults_.clear();
  operations_ = 0;
  stop_at_ = 0;
  stopped_ = false;
  log_.clear();
}

bool FaultyFiles::Begin(Op op, const std::string& path) {
  if (stopped_) throw ProcessStopped{};
  ++operations_;
  log_.push_back(std::string(Name(op)) + " " + path);
  bool fail = false;
  for (Fault& fault : faults_) {
    if (fault.countdown <= 0 || (fault.op && *fault.op != op)) continue;
    if (fault.countdown > 1) {
      --fault.countdown;
      continue;
    }
    fail = true;
    if (!fault.persistent) fault.countdown = 0;
  }
  return fail;
}

void FaultyFiles::End() {
  if (stop_at_ != 0 && operations_ == stop_at_) {
    stopped_ = true;
    throw ProcessStopped{};
  }
}

bool FaultyFiles::FileExists(const std::string& path) {
  const bool fail = Begin(Op::kFileExists, path);
  const bool exists = !fail && inner_.FileExists(path);
  End();
  return exists;
}

std::int64_t FaultyFiles::FileSize(const std::string& path) {
  const bool fail = Begin(Op::kFileSize, path);
  const std::int64_t size = fail ? -1 : inner_.FileSize(path);
  End();
  return size;
}

std::unique_ptr<InputFile> FaultyFiles::OpenRead(const std::string& path) {
  if (Begin(Op::kOpenRead, path)) {
    End();
    throw Injected("Cannot open file", path);
  }
  std::unique_ptr<InputFile> file = Run(*this, [&] { return inner_.OpenRead(path); });
  return std::make_unique<FaultyInputFile>(*this, std::move(file), path);
}

std::unique_ptr<OutputFile> FaultyFiles::Create(const std::string& path) {
  if (Begin(Op::kCreate, path)) {
    End();
    throw Injected("Cannot create file", path);
  }
  std::unique_ptr<OutputFile> file = Run(*this, [&] { return inner_.Create(path); });
  return std::make_unique<FaultyOutputFile>(*this, std::move(file), path);
}

bool FaultyFiles::Copy(const std::string& from, const std::string& to) {
  const bool fail = Begin(Op::kCopy, from + " " + to);
  const bool copied = !fail && inner_.Copy(from, to);
  End();
  return copied;
}

bool FaultyFiles::Delete(const std::string& path) {
  const bool fail = Begin(Op::kDelete, path);
  const bool deleted = !fail && inner_.Delete(path);
  End();
  return deleted;
}

bool FaultyFiles::Replace(const std::string& from, const std::string& to) {
  const bool fail = Begin(Op::kReplace, from + " " + to);
  const bool replaced = !fail && inner_.Replace(from, to);
  End();
  return replaced;
}

}  // namespace quib
