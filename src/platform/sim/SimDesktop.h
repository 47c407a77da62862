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

/// Windows of processes, each process with its executable path, one window in the
/// foreground. Names executables by the finder's contract, with switches for its failures.
class SimProcesses final : public Processes {
 public:
  bool UsesProcessStatus() const override { return uses_process_status; }
  bool LoadLibraries() override;
  void FreeLibraries() noexcept override;
  WindowId ForegroundWindow() override { return foreground; }
  std::uint32_t WindowProcessId(WindowId window) override;
  ProcessFileName GetProcessFileName(std::uint32_t process_id, bool full_path_preferred) override;

  /// Adds a window of process_id, which runs the executable at path; returns the window.
  WindowId AddWindow(std::uint32_t process_id, const std::string& path);
  /// The process has ended: its windows remain, but nothing knows its id any more.
  void EndProcess(std::uint32_t process_id) { executables_.erase(process_id); }

  WindowId foreground;
  /// The system family: true names through the libraries, false through a snapshot.
  bool uses_process_status = true;
  /// False: a library does not load ("failed0").
  bool libraries_available = true;
  /// True: a library lacks an entry point ("failed1").
  bool entry_point_missing = false;
  /// True: the process list cannot be read ("failed2").
  bool process_list_unreadable = false;
  /// Processes that refuse to be opened (running with higher rights, say).
  std::set<std::uint32_t> unopenable;

  int load_libraries_calls = 0;
  int free_libraries_calls = 0;
  int file_name_queries = 0;  ///< process searches, the costly part of a lookup

 private:
  std::map<std::uintptr_t, std::uint32_t> window_process_;
  std::map<std::uint32_t, std::string> executables_;
  std::uintptr_t next_window_ = 0x9000;
  bool loaded_ = false;
};

class SimSound final : public Sound {
 public:
  struct Played {
    std::string wave;  ///< the bytes as they were when the sound started
    bool loop = false;
  };
  bool Play(std::string_view wave, bool loop) override;
  void Stop() override;
  std::optional<std::string> FindWaveResource(const std::string& name) override;

  /// The module's "WAVE" resources by name.
  std::map<std::string, std::string> resources;

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
  WindowId Handle(const TAdvConfigForm&) const override { return form_window; }
  void Release(TAdvConfigForm& form) override;

  /// The form's own window as Handle gives it; none until a test sets one.
  WindowId form_window;
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
