// qvhost: the reference host. Loads QuibVault.dll from a plugin folder, starts it with a
// callback that prints every host command, prints its descriptive values, checks the
// interface name, optionally lets the plugin run (pumping messages, so that it records the
// clipboard) and shuts it down.
//
//   qvhost PLUGIN_DIR [--run SECONDS]
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using HostCallback = std::int32_t(__cdecl*)(std::int32_t, const char*, const char*);
using DoInitFn = std::int32_t(__cdecl*)(const char*, std::int32_t, std::intptr_t, std::intptr_t,
                                        std::intptr_t, HostCallback);
using NoArgFn = std::int32_t(__cdecl*)();
using GetStrValFn = std::int32_t(__cdecl*)(const char*, char*, std::int32_t);
using SupportCheckFn = std::int32_t(__cdecl*)(const char*, std::int32_t);

constexpr std::int32_t kHostData = 0x51564854;  // any non-zero word

const char* const kKeys[] = {"displayname",      "versionstring",   "releasedatestring",
                             "author",           "updateurl",       "homepageurl",
                             "shortdescription", "longdescription", "advconfigstring",
                             "readmestring",     "iconfilename",    "regexstr",
                             "regexfilterstr",   "keywordstr",      "scorestr",
                             "aliasstr"};

std::int32_t __cdecl PrintHostCommand(std::int32_t host_data, const char* command,
                                      const char* value) {
  const std::string name = command ? command : "(null)";
  if (name == "window.richeditheight")
    std::printf("host command [%08X]: %s %d\n", static_cast<unsigned>(host_data), name.c_str(),
                static_cast<int>(reinterpret_cast<std::intptr_t>(value)));
  else
    std::printf("host command [%08X]: %s \"%s\"\n", static_cast<unsigned>(host_data), name.c_str(),
                value ? value : "(null)");
  std::fflush(stdout);
  return 0;
}

/// Delivers this thread's messages (the plugin's clipboard notifications among them).
void RunFor(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= milliseconds) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
  }
}

template <typename Fn>
Fn Entry(HMODULE module, const char* name) {
  auto entry = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  if (!entry) std::fprintf(stderr, "qvhost: the plugin does not export %s\n", name);
  return entry;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--run")) {
    std::fprintf(stderr, "usage: qvhost PLUGIN_DIR [--run SECONDS]\n");
    return 2;
  }
  const DWORD run_seconds = argc == 4 ? std::strtoul(argv[3], nullptr, 10) : 0;
  std::string dll = argv[1];
  if (!dll.empty() && dll.back() != '\\' && dll.back() != '/') dll += '\\';
  dll += "QuibVault.dll";
  char full[MAX_PATH] = {};
  if (GetFullPathNameA(dll.c_str(), MAX_PATH, full, nullptr)) dll = full;

  std::printf("qvhost: loading %s\n", dll.c_str());
  HMODULE plugin = LoadLibraryA(dll.c_str());
  if (!plugin) {
    std::fprintf(stderr, "qvhost: cannot load %s (error %lu)\n", dll.c_str(), GetLastError());
    return 1;
  }
  const auto do_init = Entry<DoInitFn>(plugin, "_PluginFunc_DoInit");
  const auto get_str_val = Entry<GetStrValFn>(plugin, "_PluginFunc_GetStrVal");
  const auto support_check = Entry<SupportCheckFn>(plugin, "_PluginFunc_SupportCheck");
  const auto do_shut_down = Entry<NoArgFn>(plugin, "_PluginFunc_DoShutDown");
  if (!do_init || !get_str_val || !support_check || !do_shut_down) return 1;

  std::printf("DoInit: %d\n", do_init(dll.c_str(), kHostData, 0, 0, 0, &PrintHostCommand));
  for (const char* key : kKeys) {
    char value[4096] = {};
    const std::int32_t known = get_str_val(key, value, sizeof value);
    if (known)
      std::printf("%s: \"%s\"\n", key, value);
    else
      std::printf("%s: (unknown)\n", key);
  }
  const std::int32_t supported = support_check("vorpapi", 0);
  std::printf("SupportCheck(\"vorpapi\"): %d\n", supported);
  if (run_seconds > 0) {
    std::printf("running for %lu s\n", static_cast<unsigned long>(run_seconds));
    std::fflush(stdout);
    RunFor(run_seconds * 1000);
  }
  std::printf("DoShutDown: %d\n", do_shut_down());
  std::fflush(stdout);
  FreeLibrary(plugin);
  return supported == 1 ? 0 : 1;
}
