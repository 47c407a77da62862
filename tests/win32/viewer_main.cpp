// qv_test_viewer NAME: another program's clipboard viewer for the tests. It joins the chain,
// signals NAME.ready, signals NAME.change at each change it hears, passes every message on
// as a well-behaved viewer does, and leaves the chain when NAME.quit is signalled.
#include <windows.h>

#include <string>

namespace {

HWND g_next = nullptr;
HANDLE g_change = nullptr;

LRESULT CALLBACK ViewerProc(HWND window, UINT message, WPARAM first, LPARAM second) {
  switch (message) {
    case WM_DRAWCLIPBOARD:
      SetEvent(g_change);
      if (g_next) SendMessageA(g_next, message, first, second);
      return 0;
    case WM_CHANGECBCHAIN:
      if (reinterpret_cast<HWND>(first) == g_next)
        g_next = reinterpret_cast<HWND>(second);
      else if (g_next)
        SendMessageA(g_next, message, first, second);
      return 0;
    default:
      return DefWindowProcA(window, message, first, second);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string name = argv[1];
  HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, (name + ".ready").c_str());
  g_change = OpenEventA(EVENT_MODIFY_STATE, FALSE, (name + ".change").c_str());
  HANDLE quit = OpenEventA(SYNCHRONIZE, FALSE, (name + ".quit").c_str());
  if (!ready || !g_change || !quit) return 3;

  WNDCLASSA window_class{};
  window_class.lpfnWndProc = ViewerProc;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = "QuibTestViewer";
  RegisterClassA(&window_class);
  HWND window = CreateWindowExA(0, "QuibTestViewer", name.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr,
                                nullptr, window_class.hInstance, nullptr);
  if (!window) return 4;
  g_next = SetClipboardViewer(window);
  ResetEvent(g_change);  // the registration announcement is not a change
  SetEvent(ready);

  for (;;) {
    const DWORD result = MsgWaitForMultipleObjects(1, &quit, FALSE, INFINITE, QS_ALLINPUT);
    if (result == WAIT_OBJECT_0) break;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }
  ChangeClipboardChain(window, g_next);
  DestroyWindow(window);
  return 0;
}
