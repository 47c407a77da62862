// The recording and clearing commands behind the window's buttons: their message boxes,
// what a confirmation or a refusal changes, and how they steer the host while the window
// is hidden.
#include <filesystem>
#include <string>
#include <vector>

#include "SearchTestSupport.h"

namespace quib::test {
namespace {

constexpr unsigned kConfirmFlags = 0x124;

using CommandsTest = StartedPluginTest;

struct SwitchCase {
  const char* name;
  bool start;  ///< the start command (recording off before), else the stop command
  bool visible;
  bool confirmed;
  std::vector<std::string> commands;
};

class SwitchRecordingTest : public CommandsTest, public ::testing::WithParamInterface<SwitchCase> {
};

TEST_P(SwitchRecordingTest, AsksThenSwitchesSavesAndSteersTheHostOrTheFocus) {
  const SwitchCase& c = GetParam();
  form().SetRecordingState(!c.start);
  if (c.visible) form().Show();
  sim.dialogs.answers = {c.confirmed ? box::kIdYes : box::kIdNo};

  (c.start ? form().cmdStart : form().cmdStop).Click();

  ASSERT_EQ(boxes().size(), 1u);
  EXPECT_EQ(boxes()[0].text, c.start ? "Start recording clipboard text to QuibVault?"
                                     : "Stop recording clipboard text to QuibVault?");
  EXPECT_EQ(boxes()[0].caption, c.start ? "Start Recording?" : "Stop Recording?");
  EXPECT_EQ(boxes()[0].flags, kConfirmFlags);
  EXPECT_EQ(commands(), c.commands);

  const bool on = c.confirmed ? c.start : !c.start;
  EXPECT_EQ(form().RecordingOn(), on);
  EXPECT_EQ(form().ClipboardMonitor().Enabled(), on);
  EXPECT_EQ(form().cmdStart.Enabled, !on);
  EXPECT_EQ(form().cmdStart.Visible, !on);
  EXPECT_EQ(form().cmdStop.Enabled, on);
  EXPECT_EQ(form().cmdStop.Visible, on);

  const void* focused = c.visible && c.confirmed
                            ? (c.start ? static_cast<const void*>(&form().cmdStop)
                                       : static_cast<const void*>(&form().cmdStart))
                            : nullptr;
  EXPECT_EQ(form().ActiveControl, focused);
  const std::string settings = SettingsFile();
  if (c.confirmed)
    EXPECT_NE(settings.find(on ? "Quib.Vault.IsEnabled=0" : "Quib.Vault.IsEnabled=1"),
              std::string::npos)
        << settings;
  else
    EXPECT_EQ(settings, "<missing>");
}

INSTANTIATE_TEST_SUITE_P(
    Table, SwitchRecordingTest,
    ::testing::Values(
        SwitchCase{"StartConfirmedHidden", true, false, true, {"window.hide|"}},
        SwitchCase{"StartConfirmedVisible", true, true, true, {}},
        SwitchCase{"StartDeclinedHidden", true, false, false, {"setsearch|qv `"}},
        SwitchCase{"StartDeclinedVisible", true, true, false, {}},
        SwitchCase{"StopConfirmedHidden", false, false, true, {"window.hide|"}},
        SwitchCase{"StopConfirmedVisible", false, true, true, {}},
        SwitchCase{"StopDeclinedHidden", false, false, false, {"setsearch|qv `"}},
        SwitchCase{"StopDeclinedVisible", false, true, false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommandsTest, StartingTakesTheTextAlreadyOnTheClipboard) {
  Copy({"one"});
  form().SetRecordingState(false);
  Copy({"copied while off"});
  ASSERT_EQ(Texts(), std::vector<std::string>{"one"});
  sim.dialogs.answers = {box::kIdYes};
  form().cmdStart.Click();
  EXPECT_EQ(Texts(), (std::vector<std::string>{"one", "copied while off"}));
}

TEST_F(CommandsTest, AFailedSettingsSaveLeavesRecordingSwitched) {
  // A folder in the way of the temporary file makes the save fail.
  std::filesystem::create_directories(
      StdFiles::NativePath(folder.File("QuibVault_settings.cfg.tmp")));
  sim.dialogs.answers = {box::kIdYes};
  form().cmdStop.Click();
  EXPECT_FALSE(form().RecordingOn());
  EXPECT_EQ(commands(), std::vector<std::string>{"window.hide|"});
  EXPECT_EQ(SettingsFile(), "<missing>");
}

struct ClearSelectedCase {
  const char* name;
  std::vector<std::size_t> selected;
  std::vector<std::string> remaining;
};

class ClearSelectedTest : public CommandsTest,
                          public ::testing::WithParamInterface<ClearSelectedCase> {};

TEST_P(ClearSelectedTest, RemovesTheSelectedRowsAndFocusesTheList) {
  Copy({"r0", "r1", "r2", "r3", "r4"});
  form().Show();
  for (std::size_t row : GetParam().selected) list().SetSelected(row, true);
  form().cmdClearSelected.Click();
  EXPECT_EQ(Texts(), GetParam().remaining);
  EXPECT_TRUE(boxes().empty());
  EXPECT_TRUE(commands().empty());
  EXPECT_EQ(form().ActiveControl, &form().lvwClipboard);
  EXPECT_EQ(list().SelectedCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Selections, ClearSelectedTest,
    ::testing::Values(
        ClearSelectedCase{"RowsOneAndThree", {1, 3}, {"r0", "r2", "r4"}},
        ClearSelectedCase{"Newest", {4}, {"r0", "r1", "r2", "r3"}},
        ClearSelectedCase{"AllButTheOldest", {1, 2, 3, 4}, {"r0"}},
        ClearSelectedCase{"Every", {0, 1, 2, 3, 4}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommandsTest, ClearSelectedWithoutASelectionShowsTheErrorBoxOnly) {
  Copy({"r0", "r1"});
  form().cmdClearSelected.Click();
  ASSERT_EQ(boxes().size(), 1u);
  EXPECT_EQ(boxes()[0].text, "You have not selected any entry or entries to clear.");
  EXPECT_EQ(boxes()[0].caption, "Error: No entry or entries selected!");
  EXPECT_EQ(boxes()[0].flags, 0x10u);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"r0", "r1"}));
  EXPECT_TRUE(commands().empty());
}

struct ClearAllCase {
  const char* name;
  bool empty_list;
  bool visible;
  int answer;
  bool cleared;
  std::vector<std::string> commands;
};

class ClearAllTest : public CommandsTest, public ::testing::WithParamInterface<ClearAllCase> {};

TEST_P(ClearAllTest, AsksAndClearsOrTellsThatThereIsNothingToClear) {
  const ClearAllCase& c = GetParam();
  if (!c.empty_list) Copy({"one", "two"});
  if (c.visible) form().Show();
  sim.dialogs.answers = {c.answer};

  form().cmdClearAll.Click();

  ASSERT_EQ(boxes().size(), 1u);
  if (c.empty_list) {
    EXPECT_EQ(boxes()[0].text, "No entries in QuibVault to clear.");
    EXPECT_EQ(boxes()[0].caption, "No entries.");
    EXPECT_EQ(boxes()[0].flags, 0x40u);
  } else {
    EXPECT_EQ(boxes()[0].text, "Clear all QuibVault entries?");
    EXPECT_EQ(boxes()[0].caption, "Clear all entries?");
    EXPECT_EQ(boxes()[0].flags, kConfirmFlags);
  }
  EXPECT_EQ(list().Empty(), c.empty_list || c.cleared);
  EXPECT_EQ(commands(), c.commands);
  EXPECT_EQ(form().ActiveControl, nullptr) << "the focus does not move";
}

INSTANTIATE_TEST_SUITE_P(
    Table, ClearAllTest,
    ::testing::Values(
        ClearAllCase{"EmptyHidden", true, false, box::kIdOk, false, {"setsearch|qv "}},
        ClearAllCase{"EmptyVisible", true, true, box::kIdOk, false, {}},
        ClearAllCase{"ConfirmedHidden", false, false, box::kIdYes, true, {"window.hide|"}},
        ClearAllCase{"ConfirmedVisible", false, true, box::kIdYes, true, {}},
        ClearAllCase{"DeclinedHidden", false, false, box::kIdNo, false, {}},
        ClearAllCase{"DeclinedVisible", false, true, box::kIdNo, false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// The box's nested message loop lets capture run while the user reads it.
TEST_F(CommandsTest, AConfirmedClearAllAlsoRemovesEntriesRecordedWhileItAsked) {
  Copy({"one", "two"});
  sim.dialogs.while_open = [&](const SimDialogs::Box&) { Copy({"copied meanwhile"}); };
  sim.dialogs.answers = {box::kIdYes};
  form().cmdClearAll.Click();
  EXPECT_TRUE(list().Empty());
  EXPECT_EQ(form().LastRecordedText, "copied meanwhile") << "clearing leaves capture's memory";
  Copy({"copied meanwhile"});
  EXPECT_TRUE(list().Empty());
}

TEST_F(CommandsTest, ADeclinedClearAllKeepsEntriesRecordedWhileItAsked) {
  Copy({"one"});
  sim.dialogs.while_open = [&](const SimDialogs::Box&) { Copy({"copied meanwhile"}); };
  form().cmdClearAll.Click();
  EXPECT_EQ(Texts(), (std::vector<std::string>{"one", "copied meanwhile"}));
}

struct FailureCase {
  const char* name;
  TBitBtnNew TAdvConfigForm::*button;
  const char* action;
};

class CommandFailureTest : public CommandsTest, public ::testing::WithParamInterface<FailureCase> {
};

TEST_P(CommandFailureTest, AFailureIsReportedWithTheCommandsActionName) {
  Copy({"one"});
  sim.dialogs.while_open = [](const SimDialogs::Box&) { throw PlatformError("box failed"); };
  (form().*GetParam().button).Click();
  EXPECT_EQ(commands(), std::vector<std::string>{std::string("reporterror|") + GetParam().action});
  EXPECT_EQ(Texts(), std::vector<std::string>{"one"});
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CommandFailureTest,
    ::testing::Values(FailureCase{"Start", &TAdvConfigForm::cmdStart, "StartRecordClick"},
                      FailureCase{"Stop", &TAdvConfigForm::cmdStop, "EndRecordClick"},
                      FailureCase{"ClearSelected", &TAdvConfigForm::cmdClearSelected,
                                  "ClearSelected"},
                      FailureCase{"ClearAll", &TAdvConfigForm::cmdClearAll, "ClearAll"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quib::test
