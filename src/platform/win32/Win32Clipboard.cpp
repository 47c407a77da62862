// The real clipboard and viewer chain.
#include "platform/win32/Win32Clipboard.h"

#include <algorithm>
#include <cstring>

#include "platform/win32/Win32Error.h"

namespace quib {
namespace {

using namespace win32;

constexpr char kMessageWindowClass[] = "QuibVaultChainWindow";

LRESULT CALLBACK ChainWindowProc(HWND window, UINT message, WPARAM first, LPARAM second) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(second);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  if (message == WM_DRAWCLIPBOARD || message == WM_CHANGECBCHAIN) {
    auto* handler = reinterpret_cast<ChainMessageHandler*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (handler) {
      const ChainMessage chain_message{message == WM_DRAWCLIPBOARD
                                           ? ChainMessage::Kind::DrawClipboard
                                           : ChainMessage::Kind::ChangeChain,
                                       static_cast<std::uintptr_t>(first),
                                       static_cast<std::intptr_t>(second)};
      try {
        handler->OnChainMessage(chain_message);
      } catch (...) {
        // No failure may escape a window procedure.
      }
    }
    return 0;
  }
  if (message == WM_NCDESTROY) SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  return DefWindowProcA(window, message, first, second);
}

UINT FormatNamed(const char* name) { return RegisterClipboardFormatA(name); }

}  // namespace

WindowId Win32Clipboard::CreateMessageWindow(ChainMessageHandler& handler) {
  if (windows_ == 0) {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = ChainWindowProc;
    window_class.hInstance = ThisModule();
    window_class.lpszClassName = kMessageWindowClass;
    if (!RegisterClassA(&window_class) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
      ThrowLastError("RegisterClassA");
  }
  // A hidden top-level window, not a message-only one: the chain sends to it like to any
  // other viewer.
  HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, kMessageWindowClass, "", WS_POPUP, 0, 0, 0, 0,
                                nullptr, nullptr, ThisModule(), &handler);
  if (!window) {
    if (windows_ == 0) UnregisterClassA(kMessageWindowClass, ThisModule());
    ThrowLastError("CreateWindowExA");
  }
  ++windows_;
  if (!owner_) owner_ = window;
  return FromHwnd(window);
}

void Win32Clipboard::DestroyMessageWindow(WindowId window) {
  if (!window) return;
  if (owner_ == ToHwnd(window)) owner_ = nullptr;
  DestroyWindow(ToHwnd(window));
  // The class must go with the last window: a reloaded library brings a new procedure.
  if (--windows_ == 0) UnregisterClassA(kMessageWindowClass, ThisModule());
}

WindowId Win32Clipboard::SetClipboardViewer(WindowId window) {
  return FromHwnd(::SetClipboardViewer(ToHwnd(window)));
}

void Win32Clipboard::ChangeClipboardChain(WindowId leaving, WindowId next) {
  ::ChangeClipboardChain(ToHwnd(leaving), ToHwnd(next));
}

void Win32Clipboard::Forward(WindowId to, const ChainMessage& message) {
  const UINT id = message.kind == ChainMessage::Kind::DrawClipboard ? WM_DRAWCLIPBOARD
                                                                     : WM_CHANGECBCHAIN;
  SendMessageA(ToHwnd(to), id, static_cast<WPARAM>(message.first),
               static_cast<LPARAM>(message.second));
}

bool Win32Clipboard::HasText() { return IsClipboardFormatAvailable(CF_TEXT) != 0; }

std::optional<std::size_t> Win32Clipboard::TextSize() {
  // Only a hint: a clipboard held by another program is waited for by GetText alone.
  ClipboardOpen clipboard(nullptr, 1);
  if (!clipboard.ok()) return std::nullopt;
  HANDLE data = GetClipboardData(CF_TEXT);
  if (!data) return std::nullopt;
  GlobalLockGuard lock(data);
  if (!lock.data()) return std::nullopt;
  const SIZE_T capacity = GlobalSize(data);
  return strnlen(static_cast<const char*>(lock.data()), capacity);
}

std::string Win32Clipboard::GetText(std::size_t limit) {
  ClipboardOpen clipboard;
  if (!clipboard.ok()) throw PlatformError("Cannot open clipboard");
  HANDLE data = GetClipboardData(CF_TEXT);
  if (!data) return std::string();
  GlobalLockGuard lock(data);
  if (!lock.data()) return std::string();
  // The block may be larger than its text, and a hostile one may lack the terminator.
  const SIZE_T capacity = GlobalSize(data);
  const char* text = static_cast<const char*>(lock.data());
  return std::string(text, strnlen(text, std::min<std::size_t>(capacity, limit)));
}

void Win32Clipboard::SetText(std::string_view text) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!memory) ThrowLastError("GlobalAlloc");
  {
    GlobalLockGuard lock(memory);
    if (!lock.data()) {
      GlobalFree(memory);
      ThrowLastError("GlobalLock");
    }
    std::memcpy(lock.data(), text.data(), text.size());
    static_cast<char*>(lock.data())[text.size()] = '\0';
  }
  ClipboardOpen clipboard(static_cast<HWND>(owner_));
  if (!clipboard.ok()) {
    GlobalFree(memory);
    throw PlatformError("Cannot open clipboard");
  }
  EmptyClipboard();
  if (!SetClipboardData(CF_TEXT, memory)) {
    GlobalFree(memory);
    ThrowLastError("SetClipboardData");
  }
}

bool Win32Clipboard::HasExcludeMarker() {
  static const UINT exclude = FormatNamed("ExcludeClipboardContentFromMonitorProcessing");
  static const UINT ignore = FormatNamed("Clipboard Viewer Ignore");
  static const UINT history = FormatNamed("CanIncludeInClipboardHistory");
  if ((exclude && IsClipboardFormatAvailable(exclude)) ||
      (ignore && IsClipboardFormatAvailable(ignore)))
    return true;
  if (!history || !IsClipboardFormatAvailable(history)) return false;
  // A history flag that cannot be read counts as "keep out": a secret is never recorded.
  ClipboardOpen clipboard;
  if (!clipboard.ok()) return true;
  HANDLE data = GetClipboardData(history);
  if (!data || GlobalSize(data) < sizeof(DWORD)) return true;
  GlobalLockGuard lock(data);
  return !lock.data() || *static_cast<const DWORD*>(lock.data()) == 0;
}

}  // namespace quib
