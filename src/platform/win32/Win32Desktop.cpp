// The real desktop's smaller services.
#include "platform/win32/Win32Desktop.h"

#include <windows.h>

#include <commdlg.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <vector>

#include "capture/DateStamp.h"
#include "platform/win32/Win32Error.h"

namespace quib {

using namespace win32;

bool Win32Sound::Play(std::string_view wave, bool loop) {
  const UINT flags = SND_ASYNC | SND_NODEFAULT | SND_MEMORY | (loop ? SND_LOOP : 0);
  return sndPlaySoundA(wave.data(), flags) != 0;
}

void Win32Sound::Stop() { sndPlaySoundA(nullptr, SND_MEMORY); }

std::optional<std::string> Win32Sound::FindWaveResource(const std::string& name) {
  HMODULE module = ThisModule();
  HRSRC found = FindResourceA(module, name.c_str(), "WAVE");
  if (!found) return std::nullopt;
  HGLOBAL loaded = LoadResource(module, found);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return std::nullopt;
  return std::string(static_cast<const char*>(bytes), SizeofResource(module, found));
}

int Win32Dialogs::ShowMessage(WindowId owner, const std::string& text, const std::string& caption,
                             unsigned flags) {
  return MessageBoxA(ToHwnd(owner), text.c_str(), caption.c_str(), flags);
}

std::optional<std::string> Win32Dialogs::OpenFile(WindowId owner, const OpenFileRequest& request) {
  std::string filter = request.filter;
  for (char& c : filter)
    if (c == '|') c = '\0';
  filter.push_back('\0');
  filter.push_back('\0');
  std::vector<char> file(MAX_PATH * 4, '\0');
  request.file_name.copy(file.data(), file.size() - 1);
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = ToHwnd(owner);
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = request.initial_dir.empty() ? nullptr : request.initial_dir.c_str();
  dialog.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
  dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (!GetOpenFileNameA(&dialog)) return std::nullopt;
  return std::string(file.data());
}

LocalTime Win32Clock::Now() {
  SYSTEMTIME time{};
  GetLocalTime(&time);
  return LocalTime{time.wYear, time.wMonth,  time.wDay,          time.wHour,
                   time.wMinute, time.wSecond, time.wMilliseconds, time.wDayOfWeek};
}

RegionalSettings Win32Clock::Regional() {
  auto info = [](LCTYPE type, const std::string& fallback) {
    char buffer[256] = {};
    // Designators and separators may be empty; only a failed query falls back.
    const int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer);
    return length > 0 ? std::string(buffer, length - 1) : fallback;
  };
  RegionalSettings settings;
  for (int month = 0; month < 12; ++month) {
    settings.long_month_names[month] =
        info(LOCALE_SMONTHNAME1 + month, settings.long_month_names[month]);
    settings.short_month_names[month] =
        info(LOCALE_SABBREVMONTHNAME1 + month, settings.short_month_names[month]);
  }
  for (int day = 0; day < 7; ++day) {
    // The locale counts from Monday; our index 0 is Sunday.
    const int locale_day = (day + 6) % 7;
    settings.long_day_names[day] =
        info(LOCALE_SDAYNAME1 + locale_day, settings.long_day_names[day]);
    settings.short_day_names[day] =
        info(LOCALE_SABBREVDAYNAME1 + locale_day, settings.short_day_names[day]);
  }
  settings.am_designator = info(LOCALE_S1159, "AM");
  settings.pm_designator = info(LOCALE_S2359, "PM");
  settings.date_separator = info(LOCALE_SDATE, settings.date_separator);
  settings.time_separator = info(LOCALE_STIME, settings.time_separator);
  // The locale's pictures use another notation ("h:mm:ss tt"): translate them.
  if (const std::string picture = info(LOCALE_SSHORTDATE, ""); !picture.empty())
    settings.short_date_format = LocalePictureToFormat(picture);
  if (const std::string picture = info(LOCALE_STIMEFORMAT, ""); !picture.empty())
    settings.long_time_format = LocalePictureToFormat(picture);
  return settings;
}

void Win32Shell::Open(const std::string& path) {
  ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void Win32Windowing::ShowModal(TAdvConfigForm&) {}
void Win32Windowing::Show(TAdvConfigForm& form) { visible_.insert(&form); }
void Win32Windowing::Hide(TAdvConfigForm& form) { visible_.erase(&form); }
bool Win32Windowing::IsVisible(const TAdvConfigForm& form) const { return visible_.count(&form) != 0; }
void Win32Windowing::Release(TAdvConfigForm& form) { visible_.erase(&form); }

}  // namespace quib
