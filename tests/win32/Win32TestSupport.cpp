// Shared by the Win32 tests.
#include "Win32TestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace quib::wintest {
namespace {

using DoInitFn = std::int32_t(__cdecl*)(const char*, std::int32_t, std::intptr_t, std::intptr_t,
                                        std::intptr_t, decltype(&RecordHostCommand));
using NoArgFn = std::int32_t(__cdecl*)();
using GetStrValFn = std::int32_t(__cdecl*)(const char*, char*, std::int32_t);
using SupportCheckFn = std::int32_t(__cdecl*)(const char*, std::int32_t);

template <typename Fn>
Fn EntryAs(const LoadedPlugin& plugin, const char* name) {
  auto entry = reinterpret_cast<Fn>(reinterpret_cast<void*>(plugin.Entry(name)));
  if (!entry) throw std::runtime_error(std::string("missing export ") + name);
  return entry;
}

std::string ThisExeDir() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string dir = path;
  return dir.substr(0, dir.find_last_of('\\') + 1);
}

}  // namespace

std::string PluginDir() { return std::string(QUIB_PLUGIN_DIR) + "\\"; }
std::string PluginPath() { return PluginDir() + "QuibVault.dll"; }

std::string& HostCommands() {
  static std::string commands;
  return commands;
}

std::int32_t __cdecl RecordHostCommand(std::int32_t, const char* command, const char* value) {
  HostCommands() += std::string(command ? command : "(null)") + "|" +
                    (value && std::string(command ? command : "") != "window.richeditheight"
                         ? value
                         : "") +
                    "\n";
  return 0;
}

LoadedPlugin::LoadedPlugin() {
  HostCommands().clear();
  module_ = LoadLibraryA(PluginPath().c_str());
  if (!module_) throw std::runtime_error("cannot load " + PluginPath());
}

LoadedPlugin::~LoadedPlugin() {
  if (!module_) return;
  if (!shut_down_) DoShutDown();
  FreeLibrary(module_);
}

void LoadedPlugin::UnloadWithoutShutdown() {
  FreeLibrary(module_);
  module_ = nullptr;
}

void* LoadedPlugin::AdvConfigForm() const {
  auto* variable = reinterpret_cast<void**>(Entry("_AdvConfigForm"));
  return variable ? *variable : nullptr;
}

std::int32_t LoadedPlugin::DoInit(std::int32_t host_data) {
  return EntryAs<DoInitFn>(*this, "_PluginFunc_DoInit")(PluginPath().c_str(), host_data, 0, 0, 0,
                                                         &RecordHostCommand);
}

std::int32_t LoadedPlugin::DoShutDown() {
  shut_down_ = true;
  return EntryAs<NoArgFn>(*this, "_PluginFunc_DoShutDown")();
}

std::int32_t LoadedPlugin::GetStrVal(const char* key, char* buffer) {
  return EntryAs<GetStrValFn>(*this, "_PluginFunc_GetStrVal")(key, buffer, 0);
}

std::int32_t LoadedPlugin::SupportCheck(const char* name) {
  return EntryAs<SupportCheckFn>(*this, "_PluginFunc_SupportCheck")(name, 0);
}

bool PumpUntil(HANDLE event, DWORD timeout_ms) {
  const DWORD deadline = GetTickCount() + timeout_ms;
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    const DWORD now = GetTickCount();
    if (static_cast<LONG>(deadline - now) <= 0) return WaitForSingleObject(event, 0) == WAIT_OBJECT_0;
    const DWORD result = MsgWaitForMultipleObjects(1, &event, FALSE, deadline - now, QS_ALLINPUT);
    if (result == WAIT_OBJECT_0) return true;
  }
}

void PumpFor(DWORD ms) {
  HANDLE never = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  PumpUntil(never, ms);
  CloseHandle(never);
}

void SetClipboardText(const std::string& text) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  ASSERT_NE(memory, nullptr);
  char* data = static_cast<char*>(GlobalLock(memory));
  memcpy(data, text.c_str(), text.size() + 1);
  GlobalUnlock(memory);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  SetClipboardData(CF_TEXT, memory);
  CloseClipboard();
}

ViewerProcess::ViewerProcess() {
  static int instance = 0;
  name_ = "QuibTestViewer-";
  name_ += std::to_string(GetCurrentProcessId());
  name_ += '-';
  name_ += std::to_string(++instance);
  ready_ = CreateEventA(nullptr, TRUE, FALSE, (name_ + ".ready").c_str());
  change_ = CreateEventA(nullptr, TRUE, FALSE, (name_ + ".change").c_str());
  quit_ = CreateEventA(nullptr, TRUE, FALSE, (name_ + ".quit").c_str());
  std::string command = ThisExeDir();
  command.insert(command.begin(), '"');
  command += "qv_test_viewer.exe\" ";
  command += name_;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process_))
    throw std::runtime_error("cannot start " + command);
  if (!PumpUntil(ready_, 15000)) throw std::runtime_error("the viewer did not get ready");
}

ViewerProcess::~ViewerProcess() {
  SetEvent(quit_);
  // It leaves the chain on the way out, which may send us a chain message: keep pumping.
  PumpUntil(process_.hProcess, 10000);
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
  CloseHandle(ready_);
  CloseHandle(change_);
  CloseHandle(quit_);
}

bool ViewerProcess::WaitForChange(DWORD timeout_ms) { return PumpUntil(change_, timeout_ms); }

HWND ViewerProcess::window() const { return FindWindowA("QuibTestViewer", name_.c_str()); }

}  // namespace quib::wintest
