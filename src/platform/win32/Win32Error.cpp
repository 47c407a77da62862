// Win32 error texts and guards.
#include "platform/win32/Win32Error.h"

namespace quib::win32 {

std::string ErrorText(DWORD code) {
  char* buffer = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text = length ? std::string(buffer, length) : "error " + std::to_string(code);
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
    text.pop_back();
  return text;
}

void ThrowLastError(const char* api) {
  const DWORD code = GetLastError();
  throw PlatformError(std::string(api) + " failed: " + ErrorText(code));
}

ClipboardOpen::ClipboardOpen(HWND owner, int attempts) {
  for (int attempt = 0; attempt < attempts && !open_; ++attempt) {
    if (attempt) Sleep(10);
    open_ = OpenClipboard(owner) != 0;
  }
}

HMODULE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                         GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&ThisModule), &module);
  return module;
}

}  // namespace quib::win32
