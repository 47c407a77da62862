// The configuration window's place on the desktop: showing, hiding and focus.
#pragma once

#include <string>

#include "platform/types.h"

namespace quib {

class TAdvConfigForm;

/// Gives the form's state a real window, or records what a window would have done.
class Windowing {
 public:
  virtual ~Windowing() = default;
  /// Shows the form's window and returns when it has been closed.
  virtual void ShowModal(TAdvConfigForm& form) = 0;
  /// Shows the form's window and returns at once.
  virtual void Show(TAdvConfigForm& form) = 0;
  virtual void Hide(TAdvConfigForm& form) = 0;
  virtual bool IsVisible(const TAdvConfigForm& form) const = 0;
  /// The form's own window; no window while none has been made for it.
  virtual WindowId Handle(const TAdvConfigForm& form) const = 0;
  /// The form is going away: release whatever window was made for it.
  virtual void Release(TAdvConfigForm& form) = 0;
};

}  // namespace quib
