// The configuration window object: the one holder of the plugin's run-time state. Its
// controls hold the settings, its list holds the clip list, and it owns the monitor, the
// wave player and the process finder for its whole life.
#pragma once

#include <memory>
#include <string>

#include "capture/CPSAPIT.h"
#include "capture/icSwavC.h"
#include "capture/vxClipboardMonitor.h"
#include "platform/desktop.h"
#include "plugin/HostLink.h"
#include "store/SmartListView.h"
#include "ui/Controls.h"
#include "ui/LDEdit.h"
#include "ui/UTBitBtnNew.h"

namespace quib {

class TAdvConfigForm {
 public:
  /// Creates the window hidden with every control at its value at creation; the monitor
  /// joins the clipboard viewer chain before this returns.
  TAdvConfigForm(Desktop& desktop, const HostLink& host);
  ~TAdvConfigForm();
  TAdvConfigForm(const TAdvConfigForm&) = delete;
  TAdvConfigForm& operator=(const TAdvConfigForm&) = delete;

  Desktop& desktop() const { return desktop_; }
  const HostLink& host() const { return host_; }

  std::string Caption = "QuibVault Configuration";

  // The clip list and the owned components.
  TSmartListView lvwClipboard;
  TvxClipboardMonitor& ClipboardMonitor() { return *monitor_; }
  const TvxClipboardMonitor& ClipboardMonitor() const { return *monitor_; }
  TicSwavC WaveFile;
  CPSAPIT ProcessFinder;

  // Controls.
  TBitBtnNew cmdClearSelected, cmdClearAll, cmdStart, cmdStop, cmdBrowse, cmdPreview;
  TLabel lblMaxClips, lblMaxLength, lblDateFormat, lblDateExample;
  TLDEdit txtMaxNumberClips, txtMaxLengthClips;
  TCheckBox chkCopyAndPaste, chkPlaySound;
  TEdit txtPlaySound;
  TComboBox cboDateFormat;

  // Working fields.
  bool ShowHostOnClose = false;
  bool SuppressCapture = false;
  std::string PendingText;
  std::string LastRecordedText;
  std::string SourceApplication;
  WindowId LastSourceWindow;

  /// Set while the monitor is switched off and on again to have it announce the clipboard.
  bool InReRegistration = false;
  /// Switches the monitor off and on again; its announcement runs capture, nested.
  void ReRegisterMonitor();

  /// Recording is on while the start button is unavailable.
  bool RecordingOn() const { return !cmdStart.Enabled; }
  /// Sets the three members of the recording state together: the monitor first (its
  /// announcement runs while the buttons still show the old state), then the buttons.
  void SetRecordingState(bool on);

  void ShowModal();
  void Show();
  void Hide();
  bool Visible() const;

  /// The control that has the keyboard focus while the window is shown; null when none.
  const void* ActiveControl = nullptr;
  /// Gives control the keyboard focus; a hidden window's controls take none.
  void FocusControl(const void* control);

  // The recording and clearing commands behind the buttons. Each asks or tells the user
  // with a message box and reports its own failure to the host.
  void cmdStartClick();
  void cmdStopClick();
  void cmdClearSelectedClick();
  void cmdClearAllClick();

 private:
  void FormCreate();
  /// Starts (on) or stops recording on the user's word; action names the failure report.
  void SwitchRecording(bool on, const char* action);
  int ShowMessage(const std::string& text, const std::string& caption, unsigned flags);

  Desktop& desktop_;
  const HostLink& host_;
  std::unique_ptr<TvxClipboardMonitor> monitor_;
};

}  // namespace quib
