// The real process queries. Both libraries are reached with LoadLibraryA and
// GetProcAddress at run time; the searches use fixed arrays and close every handle they
// open before they return.
#include "platform/win32/Win32Processes.h"

#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>
#include <cstring>

#include "platform/win32/Win32Error.h"

namespace quib {

using namespace win32;

namespace {

// The finder's buffer: 1024 bytes of text and a NUL.
constexpr std::size_t kBufferSize = 1025;
constexpr DWORD kMaxIds = 1024;
constexpr DWORD kNameSize = ProcessFileName::kMaxLength + 1;
// All access rights as the older systems define them.
constexpr DWORD kAllAccess = 0x1F0FFF;

static_assert(sizeof(OSVERSIONINFOA) == 148);
static_assert(sizeof(PROCESSENTRY32) == 296, "the ANSI entry record");

using EnumProcessesFn = BOOL(WINAPI*)(DWORD*, DWORD, DWORD*);
using EnumProcessModulesFn = BOOL(WINAPI*)(HANDLE, HMODULE*, DWORD, DWORD*);
using ModuleNameFn = DWORD(WINAPI*)(HANDLE, HMODULE, LPSTR, DWORD);
using CreateSnapshotFn = HANDLE(WINAPI*)(DWORD, DWORD);
using ProcessWalkFn = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32*);

template <typename Fn>
Fn Entry(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

/// Writes text, cut to what the buffer holds, NUL-terminated.
void Put(char (&buffer)[kBufferSize], const char* text, std::size_t length) {
  length = std::min(length, kBufferSize - 1);
  std::memcpy(buffer, text, length);
  buffer[length] = '\0';
}
void Put(char (&buffer)[kBufferSize], const char* text) { Put(buffer, text, std::strlen(text)); }

bool IsNtFamily() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof(version);
  return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

bool ByProcessStatus(HMODULE psapi, HMODULE vdmdbg, DWORD process_id, char (&buffer)[kBufferSize],
                     bool full_path_preferred) {
  if (!psapi || !vdmdbg) {
    Put(buffer, "failed0");
    return false;
  }
  // The debug helper's entry point is never called; its presence is part of the check.
  const bool has_vdm_enum = GetProcAddress(vdmdbg, "VDMEnumTaskWOWEx") != nullptr;
  const auto enum_processes = Entry<EnumProcessesFn>(psapi, "EnumProcesses");
  const auto module_file_name = Entry<ModuleNameFn>(psapi, "GetModuleFileNameExA");
  const auto module_base_name = Entry<ModuleNameFn>(psapi, "GetModuleBaseNameA");
  const auto enum_modules = Entry<EnumProcessModulesFn>(psapi, "EnumProcessModules");
  if (!has_vdm_enum || !enum_processes || !module_file_name || !module_base_name ||
      !enum_modules) {
    Put(buffer, "failed1");
    return false;
  }

  DWORD ids[kMaxIds];
  DWORD id_bytes = 0;
  if (!enum_processes(ids, sizeof ids, &id_bytes)) {
    Put(buffer, "failed2");
    return false;
  }
  buffer[0] = '\0';
  const DWORD id_count = std::min<DWORD>(id_bytes / sizeof(DWORD), kMaxIds);
  if (std::find(ids, ids + id_count, process_id) == ids + id_count) return false;

  Handle process(OpenProcess(kAllAccess, FALSE, process_id));
  if (!process.valid()) return false;

  HMODULE modules[kMaxIds];
  DWORD needed = 0;
  DWORD module_count = 0;
  if (enum_modules(process.get(), modules, sizeof modules, &needed))
    module_count = std::min<DWORD>(needed / sizeof(HMODULE), kMaxIds);

  char name[kNameSize];
  auto names = [&](ModuleNameFn query, HMODULE module) {
    name[0] = '\0';
    const DWORD length = query(process.get(), module, name, kNameSize);
    // NOTE: older systems leave a name cut to the buffer without its NUL.
    name[std::min<DWORD>(length, kNameSize - 1)] = '\0';
    return length != 0 && name[0] != '\0';
  };
  for (DWORD i = 0; i < module_count; ++i) {
    if ((full_path_preferred && names(module_file_name, modules[i])) ||
        names(module_base_name, modules[i]) || names(module_file_name, modules[i])) {
      Put(buffer, name);
      break;
    }
  }
  return true;
}

bool BySnapshot(DWORD process_id, char (&buffer)[kBufferSize]) {
  buffer[0] = '\0';
  const HMODULE kernel = GetModuleHandleA("KERNEL32.DLL");
  if (!kernel) return false;
  const auto create_snapshot = Entry<CreateSnapshotFn>(kernel, "CreateToolhelp32Snapshot");
  const auto first = Entry<ProcessWalkFn>(kernel, "Process32First");
  const auto next = Entry<ProcessWalkFn>(kernel, "Process32Next");
  if (!create_snapshot || !first || !next) return false;

  Handle snapshot(create_snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot.valid()) return false;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = first(snapshot.get(), &entry); more; more = next(snapshot.get(), &entry)) {
    if (entry.th32ProcessID == process_id) {
      Put(buffer, entry.szExeFile, strnlen(entry.szExeFile, sizeof entry.szExeFile - 1));
      return true;
    }
  }
  return false;
}

}  // namespace

Win32Processes::Win32Processes(Family family)
    : process_status_(family == Family::FromVersion ? IsNtFamily()
                                                    : family == Family::ProcessStatus) {}

bool Win32Processes::LoadLibraries() {
  FreeLibraries();  // a second load would otherwise leave the first one's count behind
  psapi_ = LoadLibraryA("PSAPI.DLL");
  vdmdbg_ = LoadLibraryA("VDMDBG.DLL");
  return psapi_ && vdmdbg_;
}

void Win32Processes::FreeLibraries() noexcept {
  if (!keep_libraries_loaded_) {
    if (vdmdbg_) FreeLibrary(static_cast<HMODULE>(vdmdbg_));
    if (psapi_) FreeLibrary(static_cast<HMODULE>(psapi_));
  }
  vdmdbg_ = nullptr;
  psapi_ = nullptr;
}

WindowId Win32Processes::ForegroundWindow() { return FromHwnd(GetForegroundWindow()); }

std::uint32_t Win32Processes::WindowProcessId(WindowId window) {
  DWORD process_id = 0;
  if (!GetWindowThreadProcessId(ToHwnd(window), &process_id)) return 0;
  return process_id;
}

ProcessFileName Win32Processes::GetProcessFileName(std::uint32_t process_id,
                                                   bool full_path_preferred) {
  char buffer[kBufferSize] = {};
  const bool found =
      process_status_
          ? ByProcessStatus(static_cast<HMODULE>(psapi_), static_cast<HMODULE>(vdmdbg_),
                            process_id, buffer, full_path_preferred)
          : BySnapshot(process_id, buffer);
  return {found, std::string(buffer, strnlen(buffer, kBufferSize - 1))};
}

}  // namespace quib
