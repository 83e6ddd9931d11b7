// The HTTP component against a server of the test's own on the loopback
// interface: the end event, the text read as EUC-JP with its lines joined
// by 0x01, an address taken from another component, a second source set
// while the first runs, a refused file:// source.

#include "objects/rivo_http.h"

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "media/test_http_server.h"
#include "object_fixtures.h"

namespace rivo {
namespace {

using testing::TestServer;

// Ticks as the frame loop does until the component raised its end (an
// event needs a page to call); false after ten seconds.
bool TickUntilEnd(test::Screen& s) {
  for (int i = 0; i < 2000; ++i) {
    s.Tick();
    for (const auto& e : s.screen.Events().Entries())
      if (e.Kind == PR_ONPLAYEND) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return false;
}

TEST(RivoHttp, FetchesInTheBackgroundAndRaisesItsEndOnce) {
  TestServer server({{"/page", "\xA4\xB3\xA4\xF3\r\nline2\nend\r\n"}, {"/next", "ok"}});
  test::Screen s;
  auto& http = s.screen.Create<TRivoHttp>();
  http.SetOnPlayEnd("done.rsb");
  test::SetStr(http, PR_SOURCE, server.Url("/page"));
  EXPECT_TRUE(http.Busy());
  test::SetStr(http, PR_SOURCE, server.Url("/next"));  // ignored while the first runs
  ASSERT_TRUE(TickUntilEnd(s));
  EXPECT_EQ(test::GetStr(http, PR_SOURCE), server.Url("/page"));
  EXPECT_EQ(test::GetStr(http, PR_TEXT), "\x82\xB1\x82\xF1\x01line2\x01" "end");  // こん
  s.Tick(3);
  int ends = 0;
  for (const auto& e : s.screen.Events().Entries()) ends += e.Kind == PR_ONPLAYEND;
  EXPECT_EQ(ends, 1);
}

TEST(RivoHttp, AnAddressCanComeFromAnotherComponentsResponse) {
  TestServer server({{"/where", ""}, {"/there", "arrived"}});
  // The first response names the second address.
  TestServer names({{"/where", server.Url("/there")}});
  test::Screen s;
  auto& first = s.screen.Create<TRivoHttp>();
  first.SetName("first");
  first.SetOnPlayEnd("done.rsb");
  test::SetStr(first, PR_SOURCE, names.Url("/where"));
  ASSERT_TRUE(TickUntilEnd(s));
  s.screen.Events().Clear();
  auto& second = s.screen.Create<TRivoHttp>();
  second.SetOnPlayEnd("done.rsb");
  test::SetStr(second, PR_SOURCE, "!first");
  ASSERT_TRUE(TickUntilEnd(s));
  EXPECT_EQ(second.Response(), "arrived");
}

TEST(RivoHttp, OtherSchemesEndAtOnceWithNothing) {
  test::Screen s;
  auto& http = s.screen.Create<TRivoHttp>();
  http.SetOnPlayEnd("done.rsb");
  test::SetStr(http, PR_SOURCE, "file:///etc/hostname");
  ASSERT_TRUE(TickUntilEnd(s));
  EXPECT_EQ(test::GetStr(http, PR_TEXT), "");
}

TEST(RivoHttp, TheProxyReadsAsHostAndPort) {
  test::Screen s;
  auto& http = s.screen.Create<TRivoHttp>();
  http.SetProxy("proxy.example:8080");
  EXPECT_EQ(http.GetProxy(), "proxy.example:8080");
}

}  // namespace
}  // namespace rivo
