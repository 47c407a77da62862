// Another program for the tests, in three parts:
//   qv_test_viewer NAME            a clipboard viewer: joins the chain, signals NAME.ready,
//                                  signals NAME.change at each change it hears, passes every
//                                  message on as a well-behaved viewer does;
//   qv_test_viewer copy NAME TEXT  copies TEXT to the clipboard, then signals NAME.ready;
//   qv_test_viewer secret NAME TEXT   the same, marked for clipboard histories to skip;
//   qv_test_viewer private NAME TEXT  the same, marked as not for the clipboard history;
//   qv_test_viewer ignore NAME TEXT   the same, marked for clipboard viewers to ignore;
//   qv_test_viewer public NAME TEXT   the same, marked as allowed in the clipboard history;
//   qv_test_viewer hold NAME       holds the clipboard open, then signals NAME.ready.
// Each keeps pumping messages until NAME.quit is signalled (a clipboard owner must).
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

void PumpUntil(HANDLE quit) {
  for (;;) {
    const DWORD result = MsgWaitForMultipleObjects(1, &quit, FALSE, INFINITE, QS_ALLINPUT);
    if (result != WAIT_OBJECT_0 + 1) return;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }
}

int OtherProgram(const std::string& action, const std::string& name, const std::string& text) {
  HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, (name + ".ready").c_str());
  HANDLE quit = OpenEventA(SYNCHRONIZE, FALSE, (name + ".quit").c_str());
  if (!ready || !quit) return 3;
  HWND owner = CreateWindowExA(0, "STATIC", name.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  bool opened = false;
  for (int attempt = 0; attempt < 100 && !opened; ++attempt) {
    opened = OpenClipboard(owner) != 0;
    if (!opened) Sleep(20);
  }
  if (!opened) return 4;
  if (action != "hold") {
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    if (action == "secret") {
      SetClipboardData(RegisterClipboardFormatA("ExcludeClipboardContentFromMonitorProcessing"),
                       GlobalAlloc(GMEM_MOVEABLE, 1));
    } else if (action == "ignore") {
      SetClipboardData(RegisterClipboardFormatA("Clipboard Viewer Ignore"),
                       GlobalAlloc(GMEM_MOVEABLE, 1));
    } else if (action == "private" || action == "public") {
      HGLOBAL flag = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DWORD));
      *static_cast<DWORD*>(GlobalLock(flag)) = action == "public" ? 1 : 0;
      GlobalUnlock(flag);
      SetClipboardData(RegisterClipboardFormatA("CanIncludeInClipboardHistory"), flag);
    }
    CloseClipboard();
  }
  SetEvent(ready);
  PumpUntil(quit);
  if (action == "hold") CloseClipboard();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string first = argv[1];
  if ((first == "copy" || first == "secret" || first == "private" || first == "ignore" ||
       first == "public" || first == "hold") &&
      argc >= 3) {
    std::string text;
    for (int i = 3; i < argc; ++i) text += (i > 3 ? " " : "") + std::string(argv[i]);
    return OtherProgram(first, argv[2], text);
  }
  const std::string name = first;
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
