// The form's monitor in the real clipboard viewer chain, beside another program's viewer.
#include <gtest/gtest.h>

#include "Win32TestSupport.h"

namespace quib::wintest {
namespace {

HWND MonitorWindow() { return FindWindowA("QuibVaultChainWindow", nullptr); }

TEST(ViewerChain, MonitorJoinsAtLoadPassesChangesOnAndLeavesAtShutdown) {
  ViewerProcess other;
  ASSERT_NE(other.window(), nullptr);
  {
    LoadedPlugin plugin;
    ASSERT_NE(MonitorWindow(), nullptr);
    EXPECT_EQ(GetClipboardViewer(), MonitorWindow()) << "the monitor is first in the chain";
    plugin.DoInit();

    // Only the first viewer hears from the system; the other one hears through us.
    other.Reset();
    SetClipboardText("copied while the plugin runs");
    EXPECT_TRUE(other.WaitForChange()) << "the monitor did not pass the change on";

    plugin.DoShutDown();
    EXPECT_EQ(MonitorWindow(), nullptr) << "the hidden window is destroyed";
    EXPECT_EQ(GetClipboardViewer(), other.window()) << "the chain is whole again";
  }
  other.Reset();
  SetClipboardText("copied after shutdown");
  EXPECT_TRUE(other.WaitForChange()) << "the other viewer no longer hears changes";
}

TEST(ViewerChain, AViewerJoiningAfterTheMonitorCanLeaveWithoutBreakingIt) {
  LoadedPlugin plugin;
  plugin.DoInit();
  {
    ViewerProcess later;  // first in the chain now, the monitor after it
    EXPECT_EQ(GetClipboardViewer(), later.window());
    later.Reset();
    SetClipboardText("heard by both");
    EXPECT_TRUE(later.WaitForChange());
  }
  // The leaving viewer handed the first place back to the monitor.
  EXPECT_EQ(GetClipboardViewer(), MonitorWindow());
  ViewerProcess after;
  plugin.DoShutDown();
  EXPECT_EQ(GetClipboardViewer(), after.window());
  after.Reset();
  SetClipboardText("after the monitor left");
  EXPECT_TRUE(after.WaitForChange());
}

TEST(ViewerChain, UnloadWithoutShutdownLeavesTheChainWhole) {
  ViewerProcess other;
  {
    LoadedPlugin plugin;
    plugin.DoInit();
    ASSERT_EQ(GetClipboardViewer(), MonitorWindow());
    plugin.UnloadWithoutShutdown();
  }
  EXPECT_EQ(MonitorWindow(), nullptr);
  EXPECT_EQ(GetClipboardViewer(), other.window());
  other.Reset();
  SetClipboardText("after an unload without shutdown");
  EXPECT_TRUE(other.WaitForChange());
  LoadedPlugin again;  // the window class went with the library and is made anew
  EXPECT_EQ(GetClipboardViewer(), MonitorWindow());
}

}  // namespace
}  // namespace quib::wintest
