// Modal message boxes and the open-file dialog.
#pragma once

#include <optional>
#include <string>

#include "platform/types.h"

namespace quib {

/// Flags of a message box, with the values of the Windows message box.
namespace box {
inline constexpr unsigned kOk = 0x0;
inline constexpr unsigned kYesNo = 0x4;
inline constexpr unsigned kIconError = 0x10;
inline constexpr unsigned kIconQuestion = 0x20;
inline constexpr unsigned kIconInformation = 0x40;
inline constexpr unsigned kDefaultButton2 = 0x100;
/// Answers.
inline constexpr int kIdOk = 1;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;
}  // namespace box

struct OpenFileRequest {
  std::string title;
  std::string filter;       ///< Pairs of description and pattern, separated by '|'.
  std::string initial_dir;
  std::string file_name;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  /// Shows a modal message box and returns the answer (box::kId...).
  virtual int ShowMessage(WindowId owner, const std::string& text, const std::string& caption,
                         unsigned flags) = 0;
  /// Lets the user choose a file; nullopt when the dialog was cancelled.
  virtual std::optional<std::string> OpenFile(WindowId owner, const OpenFileRequest& request) = 0;
};

}  // namespace quib
