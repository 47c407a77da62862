// A small deterministic desktop for native tests: a clipboard with a viewer chain, windows
// of processes with one in the foreground, scripted message boxes, a settable clock, a
// sound output and a shell that record what they were asked, and real files.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "platform/sim/SimClipboard.h"
#include "platform/sim/StdFiles.h"

namespace quib {

class SimProcesses final : public Processes {
 public:
  bool LoadLibraries() override {
    ++load_libraries_calls;
    return libraries_available;
  }
  WindowId ForegroundWindow() override { return foreground; }
  std::uint32_t WindowProcessId(WindowId window) override;
  std::optional<std::string> ProcessExecutable(std::uint32_t process_id) override;

  /// Adds a window of a process running executable; returns the window.
  WindowId AddWindow(std::uint32_t process_id, const std::string& executable);

  bool libraries_available = true;
  int load_libraries_calls = 0;
  WindowId foreground;

 private:
  std::map<std::uintptr_t, std::uint32_t> window_process_;
  std::map<std::uint32_t, std::string> executables_;
  std::uintptr_t next_window_ = 0x9000;
};

class SimSound final : public Sound {
 public:
  struct Played {
    std::string wave;  ///< the bytes as they were when the sound started
    bool loop = false;
  };
  bool Play(std::string_view wave, bool loop) override;
  void Stop() override;

  /// The bytes the output is reading now, if a sound plays.
  const char* playing_data() const { return playing_; }
  std::vector<Played> played;
  int stops = 0;

 private:
  const char* playing_ = nullptr;
};

class SimDialogs final : public Dialogs {
 public:
  struct Box {
    std::string text, caption;
    unsigned flags = 0;
  };
  int ShowMessage(WindowId owner, const std::string& text, const std::string& caption,
                 unsigned flags) override;
  std::optional<std::string> OpenFile(WindowId owner, const OpenFileRequest& request) override;

  /// Answers for the coming boxes, in order; without one a box answers OK (or No).
  std::deque<int> answers;
  /// Runs while a box is open, as the user's desktop goes on behind it.
  std::function<void(const Box&)> while_open;
  std::vector<Box> shown;
  std::deque<std::optional<std::string>> file_choices;
  std::vector<OpenFileRequest> file_requests;
};

class SimClock final : public Clock {
 public:
  LocalTime Now() override { return now; }
  RegionalSettings Regional() override { return regional; }
  LocalTime now;
  RegionalSettings regional;
};

class SimShell final : public Shell {
 public:
  void Open(const std::string& path) override { opened.push_back(path); }
  std::vector<std::string> opened;
};

class SimWindowing final : public Windowing {
 public:
  void ShowModal(TAdvConfigForm& form) override;
  void Show(TAdvConfigForm& form) override;
  void Hide(TAdvConfigForm& form) override;
  bool IsVisible(const TAdvConfigForm& form) const override;
  void Release(TAdvConfigForm& form) override;

  /// Runs while the window is shown modally; the window closes when it returns.
  std::function<void(TAdvConfigForm&)> while_modal;
  std::vector<std::string> calls;  ///< "ShowModal", "Show", "Hide", "Release"

 private:
  std::set<const TAdvConfigForm*> visible_;
};

/// The whole simulated desktop.
struct SimDesktop {
  SimClipboard clipboard;
  SimProcesses processes;
  SimSound sound;
  SimDialogs dialogs;
  StdFiles files;
  SimClock clock;
  SimShell shell;
  SimWindowing windowing;

  Desktop desktop() {
    return Desktop{clipboard, clipboard, processes, sound, dialogs, files, clock, shell, windowing};
  }
};

}  // namespace quib
