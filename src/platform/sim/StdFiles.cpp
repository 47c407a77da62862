// Real files through the standard libraries.
#include "platform/sim/StdFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace quib {
namespace {

namespace fs = std::filesystem;

std::string Reason() { return std::strerror(errno); }

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

class StdInputFile final : public InputFile {
 public:
  explicit StdInputFile(FilePtr file) : file_(std::move(file)) {}
  std::size_t Read(void* buffer, std::size_t size) override {
    const std::size_t got = std::fread(buffer, 1, size, file_.get());
    if (got < size && std::ferror(file_.get())) throw PlatformError("Read error: " + Reason());
    return got;
  }

 private:
  FilePtr file_;
};

class StdOutputFile final : public OutputFile {
 public:
  StdOutputFile(FilePtr file, std::string path) : file_(std::move(file)), path_(std::move(path)) {}
  void Write(const void* data, std::size_t size) override {
    if (!file_) throw PlatformError("File \"" + path_ + "\" is closed");
    if (std::fwrite(data, 1, size, file_.get()) != size)
      throw PlatformError("Cannot write file \"" + path_ + "\". " + Reason());
  }
  void Commit() override {
    if (!file_) return;
    std::FILE* file = file_.release();
    bool ok = std::fflush(file) == 0;
#ifdef _WIN32
    ok = ok && _commit(_fileno(file)) == 0;
#else
    ok = ok && fsync(fileno(file)) == 0;
#endif
    const std::string reason = Reason();
    ok = std::fclose(file) == 0 && ok;
    if (!ok) throw PlatformError("Cannot write file \"" + path_ + "\". " + reason);
  }

 private:
  FilePtr file_;
  std::string path_;
};

}  // namespace

std::string StdFiles::NativePath(const std::string& path) {
#ifdef _WIN32
  return path;
#else
  std::string native = path;
  std::replace(native.begin(), native.end(), '\\', '/');
  return native;
#endif
}

bool StdFiles::FileExists(const std::string& path) {
  std::error_code error;
  return fs::is_regular_file(NativePath(path), error);
}

std::int64_t StdFiles::FileSize(const std::string& path) {
  FilePtr file(std::fopen(NativePath(path).c_str(), "rb"));
  if (!file) return -1;
  std::error_code error;
  const auto size = fs::file_size(NativePath(path), error);
  return error ? -1 : static_cast<std::int64_t>(size);
}

std::unique_ptr<InputFile> StdFiles::OpenRead(const std::string& path) {
  std::error_code error;
  FilePtr file;
  if (!fs::is_directory(NativePath(path), error)) file.reset(std::fopen(NativePath(path).c_str(), "rb"));
  if (!file) throw PlatformError("Cannot open file \"" + path + "\". " + Reason());
  return std::make_unique<StdInputFile>(std::move(file));
}

std::unique_ptr<OutputFile> StdFiles::Create(const std::string& path) {
  FilePtr file(std::fopen(NativePath(path).c_str(), "wb"));
  if (!file) throw PlatformError("Cannot create file \"" + path + "\". " + Reason());
  return std::make_unique<StdOutputFile>(std::move(file), path);
}

bool StdFiles::Copy(const std::string& from, const std::string& to) {
  std::error_code error;
  return fs::copy_file(NativePath(from), NativePath(to), fs::copy_options::none, error) && !error;
}

bool StdFiles::Delete(const std::string& path) {
  return std::remove(NativePath(path).c_str()) == 0;
}

bool StdFiles::Replace(const std::string& from, const std::string& to) {
  std::error_code error;
  fs::rename(NativePath(from), NativePath(to), error);
  return !error;
}

}  // namespace quib
