// The real DLL loaded by a host: start-up, descriptive values, the form's lifetime.
#include <gtest/gtest.h>

#include "Win32TestSupport.h"

namespace quib::wintest {
namespace {

TEST(PluginLoad, AttachCreatesTheFormAndShutdownEmptiesIt) {
  LoadedPlugin plugin;
  EXPECT_NE(plugin.AdvConfigForm(), nullptr);
  EXPECT_EQ(plugin.DoInit(), 1);
  EXPECT_EQ(HostCommands(), "") << "a clean start reports nothing";
  EXPECT_EQ(plugin.DoShutDown(), 1);
  EXPECT_EQ(plugin.AdvConfigForm(), nullptr);
  EXPECT_EQ(plugin.DoShutDown(), 1);
}

TEST(PluginLoad, AnswersTheDescriptiveValuesAndTheInterfaceName) {
  LoadedPlugin plugin;
  plugin.DoInit();
  char buffer[512] = {};
  ASSERT_EQ(plugin.GetStrVal("aliasstr", buffer), 1);
  EXPECT_STREQ(buffer, "qv");
  ASSERT_EQ(plugin.GetStrVal("displayname", buffer), 1);
  EXPECT_STREQ(buffer, "QuibVault");
  ASSERT_EQ(plugin.GetStrVal("versionstring", buffer), 1);
  EXPECT_STREQ(buffer, "0.5.0.7");
  EXPECT_EQ(plugin.GetStrVal("AliasStr", buffer), 0);
  EXPECT_EQ(plugin.GetStrVal(nullptr, buffer), 0);
  EXPECT_EQ(plugin.SupportCheck("vorpapi"), 1);
  EXPECT_EQ(plugin.SupportCheck("VORPAPI"), 0);
}

TEST(PluginLoad, AStartUpFailureIsReportedToTheHost) {
  LoadedPlugin plugin;
  plugin.DoInit();
  plugin.DoShutDown();
  HostCommands().clear();
  plugin.DoInit();  // no window any more
  EXPECT_EQ(HostCommands(), "reporterror|PluginStart\n");
}

TEST(PluginLoad, CanBeLoadedAgainAfterUnload) {
  for (int round = 0; round < 2; ++round) {
    LoadedPlugin plugin;
    EXPECT_NE(plugin.AdvConfigForm(), nullptr) << "round " << round;
    plugin.DoInit();
    SetClipboardText("round " + std::to_string(round));
    PumpFor(200);  // the monitor's window handles the change
  }
}

}  // namespace
}  // namespace quib::wintest
