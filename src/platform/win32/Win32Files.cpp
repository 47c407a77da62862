// Real files through the Win32 file functions.
#include "platform/win32/Win32Files.h"

#include <limits>

#include "platform/win32/Win32Error.h"

namespace quib {
namespace {

using namespace win32;

class Win32InputFile final : public InputFile {
 public:
  explicit Win32InputFile(Handle file) : file_(std::move(file)) {}
  std::size_t Read(void* buffer, std::size_t size) override {
    std::size_t total = 0;
    while (total < size) {
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size - total, 1u << 30));
      DWORD got = 0;
      if (!ReadFile(file_.get(), static_cast<char*>(buffer) + total, chunk, &got, nullptr))
        ThrowLastError("ReadFile");
      if (got == 0) break;
      total += got;
    }
    return total;
  }

 private:
  Handle file_;
};

class Win32OutputFile final : public OutputFile {
 public:
  Win32OutputFile(Handle file, std::string path) : file_(std::move(file)), path_(std::move(path)) {}
  void Write(const void* data, std::size_t size) override {
    std::size_t total = 0;
    while (total < size) {
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size - total, 1u << 30));
      DWORD written = 0;
      if (!WriteFile(file_.get(), static_cast<const char*>(data) + total, chunk, &written, nullptr) ||
          written == 0)
        throw PlatformError("Cannot write file \"" + path_ + "\". " + ErrorText(GetLastError()));
      total += written;
    }
  }
  void Commit() override {
    if (!file_.valid()) return;
    const bool flushed = FlushFileBuffers(file_.get()) != 0;
    const DWORD code = GetLastError();
    const bool closed = CloseHandle(file_.release()) != 0;
    if (!flushed || !closed)
      throw PlatformError("Cannot write file \"" + path_ + "\". " + ErrorText(code));
  }

 private:
  Handle file_;
  std::string path_;
};

}  // namespace

bool Win32Files::FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::int64_t Win32Files::FileSize(const std::string& path) {
  Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return -1;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) return -1;
  return size.QuadPart;
}

std::unique_ptr<InputFile> Win32Files::OpenRead(const std::string& path) {
  Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.valid())
    throw PlatformError("Cannot open file \"" + path + "\". " + ErrorText(GetLastError()));
  return std::make_unique<Win32InputFile>(std::move(file));
}

std::unique_ptr<OutputFile> Win32Files::Create(const std::string& path) {
  Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.valid())
    throw PlatformError("Cannot create file \"" + path + "\". " + ErrorText(GetLastError()));
  return std::make_unique<Win32OutputFile>(std::move(file), path);
}

bool Win32Files::Copy(const std::string& from, const std::string& to) {
  return CopyFileA(from.c_str(), to.c_str(), TRUE) != 0;
}

bool Win32Files::Delete(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

bool Win32Files::Replace(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace quib
