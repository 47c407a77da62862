// The library's entry point for the Windows loader: the attach hook.
#include <windows.h>

#include "platform/win32/Win32Desktop.h"
#include "plugin/Plugin.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    // Lives as long as the library; the form refers to it from attach to shutdown.
    static quib::Win32Desktop desktop;
    static quib::Desktop services = desktop.desktop();
    quib::OnProcessAttach(services);
  }
  return TRUE;
}
