// Win32 failures turned into our error in one place, and small RAII guards over the
// Win32 resources the backend opens.
#pragma once

#include <windows.h>

#include <string>

#include "platform/types.h"

namespace quib::win32 {

/// The system's text for an error code.
std::string ErrorText(DWORD code);
/// Throws PlatformError naming the API that failed and the system's reason.
[[noreturn]] void ThrowLastError(const char* api);

inline HWND ToHwnd(WindowId window) { return reinterpret_cast<HWND>(window.value); }
inline WindowId FromHwnd(HWND window) { return WindowId{reinterpret_cast<std::uintptr_t>(window)}; }

/// An open clipboard, closed when the guard goes.
class ClipboardOpen {
 public:
  /// NOTE: another application may hold the clipboard open for a moment, so opening is
  /// retried a few times (a few tens of milliseconds in all) unless asked for one attempt.
  explicit ClipboardOpen(HWND owner = nullptr, int attempts = 5);
  ~ClipboardOpen() {
    if (open_) CloseClipboard();
  }
  ClipboardOpen(const ClipboardOpen&) = delete;
  ClipboardOpen& operator=(const ClipboardOpen&) = delete;
  bool ok() const { return open_; }

 private:
  bool open_ = false;
};

/// A locked global memory block, unlocked when the guard goes.
class GlobalLockGuard {
 public:
  explicit GlobalLockGuard(HGLOBAL memory) : memory_(memory), data_(GlobalLock(memory)) {}
  ~GlobalLockGuard() {
    if (data_) GlobalUnlock(memory_);
  }
  GlobalLockGuard(const GlobalLockGuard&) = delete;
  GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
  void* data() const { return data_; }

 private:
  HGLOBAL memory_;
  void* data_;
};

/// A kernel handle, closed when the guard goes.
class Handle {
 public:
  explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
  ~Handle() { reset(); }
  Handle(Handle&& other) noexcept : handle_(other.release()) {}
  Handle& operator=(Handle&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = other.release();
    }
    return *this;
  }
  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE release() {
    HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return handle;
  }
  void reset() {
    if (valid()) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE handle_;
};

/// A module loaded by name, freed when the guard goes.
class Module {
 public:
  explicit Module(const char* name) : module_(LoadLibraryA(name)) {}
  ~Module() {
    if (module_) FreeLibrary(module_);
  }
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;
  HMODULE get() const { return module_; }

 private:
  HMODULE module_;
};

/// The module (DLL or EXE) this backend is linked into.
HMODULE ThisModule();

}  // namespace quib::win32
