// The real desktop: each service translated to the Win32 calls behind it.
#pragma once

#include <set>

#include "platform/desktop.h"
#include "platform/win32/Win32Clipboard.h"
#include "platform/win32/Win32Files.h"
#include "platform/win32/Win32Processes.h"

namespace quib {

class Win32Sound final : public Sound {
 public:
  bool Play(std::string_view wave, bool loop) override;
  void Stop() override;
  std::optional<std::string> FindWaveResource(const std::string& name) override;
};

class Win32Dialogs final : public Dialogs {
 public:
  int ShowMessage(WindowId owner, const std::string& text, const std::string& caption,
                 unsigned flags) override;
  std::optional<std::string> OpenFile(WindowId owner, const OpenFileRequest& request) override;
};

class Win32Clock final : public Clock {
 public:
  LocalTime Now() override;
  RegionalSettings Regional() override;
};

class Win32Shell final : public Shell {
 public:
  void Open(const std::string& path) override;
};

/// Stands in for the configuration window until it has real controls: it tracks whether
/// the window would be shown.
class Win32Windowing final : public Windowing {
 public:
  void ShowModal(TAdvConfigForm& form) override;
  void Show(TAdvConfigForm& form) override;
  void Hide(TAdvConfigForm& form) override;
  bool IsVisible(const TAdvConfigForm& form) const override;
  /// No window until the form has real controls.
  WindowId Handle(const TAdvConfigForm&) const override { return WindowId{}; }
  void Release(TAdvConfigForm& form) override;

 private:
  std::set<const TAdvConfigForm*> visible_;
};

struct Win32Desktop {
  Win32Clipboard clipboard;
  Win32Processes processes;
  Win32Sound sound;
  Win32Dialogs dialogs;
  Win32Files files;
  Win32Clock clock;
  Win32Shell shell;
  Win32Windowing windowing;

  Desktop desktop() {
    return Desktop{clipboard, clipboard, processes, sound, dialogs, files, clock, shell, windowing};
  }
};

}  // namespace quib
