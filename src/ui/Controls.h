// State objects of the configuration window's controls: exactly the properties the rules
// read and write. A real window binds its controls to these; without one they stand alone.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace quib {

/// A push button. Click() runs the same handler as a mouse click, shown or not.
struct TButton {
  std::string Caption;
  std::string Hint;
  bool Enabled = true;
  bool Visible = true;
  std::function<void()> OnClick;

  void Click() const {
    if (OnClick) OnClick();
  }
};

struct TEdit {
  std::string Text;
  std::string Hint;
  int MaxLength = 0;  ///< 0: no limit on typed characters
};

struct TCheckBox {
  std::string Caption;
  std::string Hint;
  bool Checked = false;
};

/// A drop-down list without typing: Text is the selected item, empty when none is.
struct TComboBox {
  std::vector<std::string> Items;
  std::string Hint;
  int ItemIndex = -1;

  std::string Text() const {
    return ItemIndex >= 0 && ItemIndex < static_cast<int>(Items.size()) ? Items[ItemIndex]
                                                                          : std::string();
  }
};

struct TLabel {
  std::string Caption;
  std::string Hint;
};

}  // namespace quib
