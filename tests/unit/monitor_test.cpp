// The clipboard change monitor: its Enabled rules and how it takes part in the chain.
#include "TestSupport.h"
#include "capture/vxClipboardMonitor.h"

namespace quib::test {
namespace {

class MonitorTest : public ::testing::Test {
 protected:
  /// A monitor whose OnChange counts, created after the viewers already in the chain.
  std::unique_ptr<TvxClipboardMonitor> MakeMonitor() {
    auto monitor = std::make_unique<TvxClipboardMonitor>(clipboard);
    monitor->OnChange = [this](TvxClipboardMonitor&) { ++changes; };
    return monitor;
  }

  SimClipboard clipboard;
  int changes = 0;
};

TEST_F(MonitorTest, JoinsAtConstructionAndAnnouncesBeforeOnChangeIsAssigned) {
  int announced = 0;
  SimViewer earlier(clipboard);
  earlier.Join();
  TvxClipboardMonitor monitor(clipboard);
  EXPECT_TRUE(monitor.Enabled());
  EXPECT_EQ(clipboard.FirstViewer(), monitor.MessageWindow());
  EXPECT_EQ(monitor.NextViewer(), earlier.window());
  monitor.OnChange = [&](TvxClipboardMonitor&) { ++announced; };
  clipboard.CopyFromOtherProgram("text");
  EXPECT_EQ(announced, 1);
  EXPECT_EQ(earlier.changes(), 2) << "its own announcement and the forwarded change";
}

TEST_F(MonitorTest, SettingTheCurrentValueNeitherJoinsNorLeaves) {
  auto monitor = MakeMonitor();
  const int joins = clipboard.set_viewer_calls(), leaves = clipboard.change_chain_calls();
  monitor->SetEnabled(true);
  EXPECT_EQ(clipboard.set_viewer_calls(), joins);
  monitor->SetEnabled(false);
  monitor->SetEnabled(false);
  EXPECT_EQ(clipboard.change_chain_calls(), leaves + 1);
  EXPECT_EQ(changes, 0);
}

TEST_F(MonitorTest, OffThenOnDeliversExactlyOneAnnouncementInsideTheSetter) {
  auto monitor = MakeMonitor();
  monitor->SetEnabled(false);
  clipboard.CopyFromOtherProgram("missed while off");
  EXPECT_EQ(changes, 0);
  bool inside_setter = true;
  monitor->OnChange = [&](TvxClipboardMonitor& sender) {
    ++changes;
    EXPECT_TRUE(inside_setter);
    EXPECT_TRUE(sender.Enabled()) << "Enabled is set before joining";
  };
  monitor->SetEnabled(true);
  inside_setter = false;
  EXPECT_EQ(changes, 1);
}

TEST_F(MonitorTest, EveryChangeRaisesOnChangeBeforeTheNextViewerHears) {
  SimViewer next(clipboard);
  next.Join();
  auto monitor = MakeMonitor();
  int next_changes_seen_in_handler = -1;
  monitor->OnChange = [&](TvxClipboardMonitor&) {
    ++changes;
    next_changes_seen_in_handler = next.changes();
  };
  const int before = next.changes();
  clipboard.CopyFromOtherProgram("a");
  clipboard.CopyFromOtherProgram("b");
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(next.changes(), before + 2);
  EXPECT_EQ(next_changes_seen_in_handler, before + 1);
}

TEST_F(MonitorTest, ADrawMessageWhileDisabledStillRaisesOnChange) {
  auto monitor = MakeMonitor();
  monitor->SetEnabled(false);
  clipboard.Forward(monitor->MessageWindow(), ChainMessage{});  // from a stale viewer
  EXPECT_EQ(changes, 1);
}

TEST_F(MonitorTest, AdoptsTheWindowAfterALeavingNextViewer) {
  SimViewer last(clipboard), middle(clipboard);
  last.Join();
  middle.Join();
  auto monitor = MakeMonitor();
  ASSERT_EQ(monitor->NextViewer(), middle.window());
  middle.Leave();
  EXPECT_EQ(monitor->NextViewer(), last.window());
  const int before = last.changes();
  clipboard.CopyFromOtherProgram("after the middle left");
  EXPECT_EQ(last.changes(), before + 1);
  EXPECT_EQ(middle.changes(), 1) << "only its own announcement";
}

TEST_F(MonitorTest, PassesOnChainChangesForWindowsFurtherDown) {
  SimViewer last(clipboard), middle(clipboard);
  last.Join();
  middle.Join();
  auto monitor = MakeMonitor();
  last.Leave();  // reaches the monitor first, which passes it to middle
  EXPECT_EQ(monitor->NextViewer(), middle.window());
  EXPECT_FALSE(middle.next());
}

TEST_F(MonitorTest, LastInTheChainHandlesWithoutForwarding) {
  auto monitor = MakeMonitor();
  EXPECT_FALSE(monitor->NextViewer());
  clipboard.CopyFromOtherProgram("x");
  clipboard.Forward(monitor->MessageWindow(),
                    ChainMessage{ChainMessage::Kind::ChangeChain, 0x4242, 0x4343});
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(monitor->NextViewer());
}

TEST_F(MonitorTest, LeavesTheChainAndDestroysItsWindowWhenDestroyed) {
  SimViewer next(clipboard);
  next.Join();
  WindowId window;
  {
    auto monitor = MakeMonitor();
    window = monitor->MessageWindow();
    monitor->SetEnabled(false);
  }
  EXPECT_FALSE(clipboard.WindowExists(window));
  EXPECT_EQ(clipboard.FirstViewer(), next.window());
  const int before = next.changes();
  clipboard.CopyFromOtherProgram("y");
  EXPECT_EQ(next.changes(), before + 1);
}

}  // namespace
}  // namespace quib::test
