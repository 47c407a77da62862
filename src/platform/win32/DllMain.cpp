// The library's entry point for the Windows loader: the attach hook.
#include <windows.h>

#include "platform/win32/Win32Desktop.h"
#include "plugin/Plugin.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  // Lives as long as the library; the form refers to it from attach to shutdown.
  static quib::Win32Desktop desktop;
  if (reason == DLL_PROCESS_ATTACH) {
    static quib::Desktop services = desktop.desktop();
    quib::OnProcessAttach(services);
  } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
    // Unloaded by a host that never shut us down: nothing is saved, but the monitor's
    // window must leave the chain, or its next message would run code that is gone.
    // (At process exit, reserved is non-null and the windows go with the process.)
    // The process finder must not free its libraries under the loader's lock.
    desktop.processes.KeepLibrariesLoaded();
    quib::OnUnload();
  }
  return TRUE;
}
