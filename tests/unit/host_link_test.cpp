// The host link: which commands reach the host, and the gate on error reports.
#include "TestSupport.h"
#include "plugin/HostLink.h"

namespace quib::test {
namespace {

struct GateCase {
  const char* name;
  std::int32_t host_data;
  bool with_callback;
  bool reported;
};

class ReportGateTest : public ::testing::TestWithParam<GateCase> {};

TEST_P(ReportGateTest, ReportsOnlyWithCallbackAndHostData) {
  HostRecorder::Commands().clear();
  HostLink link;
  link.Connect(GetParam().host_data, GetParam().with_callback ? &HostRecorder::Callback : nullptr);
  link.ReportError("PluginStart");
  EXPECT_EQ(HostRecorder::Commands().size(), GetParam().reported ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Gate, ReportGateTest,
                         ::testing::Values(GateCase{"Both", 7, true, true},
                                           GateCase{"ZeroHostData", 0, true, false},
                                           GateCase{"NoCallback", 7, false, false},
                                           GateCase{"Neither", 0, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HostLink, OtherCommandsAreSentWithZeroHostDataButNeverWithoutCallback) {
  HostRecorder::Commands().clear();
  HostLink link;
  link.Send("window.hide");
  EXPECT_TRUE(HostRecorder::Commands().empty());
  link.Connect(0, &HostRecorder::Callback);
  link.Send("setsearch", "qv ");
  link.SendNumber("window.richeditheight", 270);
  EXPECT_EQ(HostRecorder::Commands(),
            (std::vector<std::string>{"setsearch|qv ", "window.richeditheight|270"}));
}

struct Notified {
  static inline std::vector<std::int32_t> calls;
  static std::int32_t QUIB_CDECL Callback(std::int32_t host_data, std::int32_t count,
                                          std::int32_t state) {
    calls.insert(calls.end(), {host_data, count, state});
    return 0;
  }
};

TEST(HostLink, SearchNotificationCarriesHostDataCountAndState) {
  Notified::calls.clear();
  HostLink link;
  link.NotifySearch(1, 1);  // none set: nothing happens
  link.Connect(9, &HostRecorder::Callback);
  link.SetSearchNotify(&Notified::Callback);
  link.NotifySearch(42, 1);
  EXPECT_EQ(Notified::calls, (std::vector<std::int32_t>{9, 42, 1}));
}

}  // namespace
}  // namespace quib::test
