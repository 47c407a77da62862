// Shared by the Win32 tests.
#include "Win32TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
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

PluginFolder::PluginFolder() {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  static int instance = 0;
  path_ = temp;
  path_ += "quib-plugin-";
  path_ += std::to_string(GetCurrentProcessId());
  path_ += '-';
  path_ += std::to_string(++instance);
  CreateDirectoryA(path_.c_str(), nullptr);
  path_ += '\\';
  if (!CopyFileA(PluginPath().c_str(), Dll().c_str(), FALSE))
    throw std::runtime_error("cannot copy the plugin into " + path_);
}

PluginFolder::~PluginFolder() {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((path_ + "*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA(File(found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(path_.c_str());
}

void PluginFolder::Write(const std::string& name, const std::string& bytes) const {
  std::ofstream(File(name), std::ios::binary | std::ios::trunc) << bytes;
}

std::string PluginFolder::Read(const std::string& name) const {
  std::ifstream file(File(name), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

bool PluginFolder::Exists(const std::string& name) const {
  return GetFileAttributesA(File(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

namespace {

void Put(std::string& out, std::uint32_t value, int width) {
  for (int i = 0; i < width; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::string DataFileBytes(const std::vector<StoredEntry>& entries) {
  std::string bytes = "QLV";
  Put(bytes, static_cast<std::uint32_t>(entries.size()), 2);
  for (const StoredEntry& entry : entries) {
    Put(bytes, static_cast<std::uint32_t>(entry.sub_items.size()), 2);
    Put(bytes, static_cast<std::uint32_t>(entry.image_index), 4);
    Put(bytes, static_cast<std::uint32_t>(entry.text.size()), 2);
    bytes += entry.text;
    for (const std::string& sub_item : entry.sub_items) {
      Put(bytes, static_cast<std::uint32_t>(sub_item.size()), 2);
      bytes += sub_item;
    }
  }
  return bytes;
}

std::vector<StoredEntry> ParseDataFile(const std::string& bytes) {
  std::vector<StoredEntry> entries;
  std::size_t at = 0;
  auto take = [&](std::size_t width) -> std::uint32_t {
    if (at + width > bytes.size()) throw std::runtime_error("data file ends early");
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < width; ++i)
      value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    at += width;
    return value;
  };
  auto text = [&] {
    const std::size_t length = take(2);
    if (at + length > bytes.size()) throw std::runtime_error("data file ends early");
    std::string value = bytes.substr(at, length);
    at += length;
    return value;
  };
  if (bytes.compare(0, 3, "QLV") != 0) throw std::runtime_error("no data file magic");
  at = 3;
  const std::uint32_t count = take(2);
  for (std::uint32_t row = 0; row < count; ++row) {
    StoredEntry entry;
    const std::uint32_t sub_items = take(2);
    entry.image_index = static_cast<std::int32_t>(take(4));
    entry.text = text();
    for (std::uint32_t i = 0; i < sub_items; ++i) entry.sub_items.push_back(text());
    entries.push_back(std::move(entry));
  }
  if (at != bytes.size()) throw std::runtime_error("bytes after the last row");
  return entries;
}

LoadedPlugin::LoadedPlugin() : own_folder_(std::make_unique<PluginFolder>()) {
  dll_ = own_folder_->Dll();
  HostCommands().clear();
  module_ = LoadLibraryA(dll_.c_str());
  if (!module_) throw std::runtime_error("cannot load " + dll_);
}

LoadedPlugin::LoadedPlugin(const PluginFolder& folder) : dll_(folder.Dll()) {
  HostCommands().clear();
  module_ = LoadLibraryA(dll_.c_str());
  if (!module_) throw std::runtime_error("cannot load " + dll_);
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
  return EntryAs<DoInitFn>(*this, "_PluginFunc_DoInit")(dll_.c_str(), host_data, 0, 0, 0,
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

DWORD OwnerOf(HWND window) {
  DWORD process_id = 0;
  GetWindowThreadProcessId(window, &process_id);
  return process_id;
}

namespace {

struct WindowSearch {
  DWORD process_id;
  HWND found = nullptr;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<WindowSearch*>(data);
  if (!IsWindowVisible(window) || OwnerOf(window) != search.process_id) return TRUE;
  search.found = window;
  return FALSE;
}

/// Starts qv_test_viewer.exe with arguments; the name is its events' prefix.
PROCESS_INFORMATION StartHelper(const std::string& arguments) {
  std::string command = ThisExeDir();
  command.insert(command.begin(), '"');
  command += "qv_test_viewer.exe\" ";
  command += arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    throw std::runtime_error("cannot start " + command);
  return process;
}

/// Asks a helper to quit and waits for it, pumping: on its way out it may send us messages
/// (a viewer leaving the chain, a clipboard owner going).
void EndHelper(PROCESS_INFORMATION& process, HANDLE quit) {
  SetEvent(quit);
  PumpUntil(process.hProcess, 10000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

std::string HelperName() {
  static int instance = 0;
  std::string name = "QuibTestHelper-";
  name += std::to_string(GetCurrentProcessId());
  name += '-';
  name += std::to_string(++instance);
  return name;
}

}  // namespace

HWND BringToFront(DWORD process_id) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (HWND front = GetForegroundWindow(); front && OwnerOf(front) == process_id) return front;
    WindowSearch search{process_id};
    EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) SetForegroundWindow(search.found);
    PumpFor(50);
  }
  return nullptr;
}

Notepad::Notepad() {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  char command[] = "notepad.exe";
  started_ = CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process_);
  if (started_) WaitForInputIdle(process_.hProcess, 10000);
}

void Notepad::Kill() {
  if (!started_) return;
  TerminateProcess(process_.hProcess, 0);
  WaitForSingleObject(process_.hProcess, 10000);
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
  started_ = false;
}

OtherProgram::OtherProgram(Action action, const std::string& text) : name_(HelperName()) {
  ready_ = CreateEventA(nullptr, TRUE, FALSE, (name_ + ".ready").c_str());
  quit_ = CreateEventA(nullptr, TRUE, FALSE, (name_ + ".quit").c_str());
  const char* verb = action == Action::Copy          ? "copy "
                     : action == Action::CopySecret  ? "secret "
                     : action == Action::CopyPrivate ? "private "
                     : action == Action::CopyIgnored ? "ignore "
                     : action == Action::CopyPublic  ? "public "
                                                     : "hold ";
  process_ = StartHelper(verb + name_ + " " + text);
  // The helper sets the ready event once it did its part; meanwhile our plugin handles the
  // change notifications on this thread.
  done_ = PumpUntil(ready_, 10000);
}

OtherProgram::~OtherProgram() {
  EndHelper(process_, quit_);
  CloseHandle(ready_);
  CloseHandle(quit_);
}

ViewerProcess::ViewerProcess() : name_(HelperName()) {
  ready_ = CreateEventA(nullptr, TRUE, FALSE, (name_ + ".ready").c_str());
  change_ = CreateEventA(nullptr, TRUE, FALSE, (name_ + ".change").c_str());
  quit_ = CreateEventA(nullptr, TRUE, FALSE, (name_ + ".quit").c_str());
  process_ = StartHelper(name_);
  if (!PumpUntil(ready_, 15000)) throw std::runtime_error("the viewer did not get ready");
}

ViewerProcess::~ViewerProcess() {
  EndHelper(process_, quit_);
  CloseHandle(ready_);
  CloseHandle(change_);
  CloseHandle(quit_);
}

bool ViewerProcess::WaitForChange(DWORD timeout_ms) { return PumpUntil(change_, timeout_ms); }

HWND ViewerProcess::window() const { return FindWindowA("QuibTestViewer", name_.c_str()); }

}  // namespace quib::wintest
