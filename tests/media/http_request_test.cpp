// The HTTP worker against a small server of the test's own on the loopback
// interface (never the network): text, the size cap, refused schemes,
// one request at a time, and cancelling a stalled request on destruction.

#include "media/http_request.h"

#include <atomic>
#include <chrono>
#include <map>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "common/euc_jp.h"
#include "media/test_http_server.h"

namespace rivo {
namespace {

using testing::TestServer;


// Polls as the frame loop does; false after ten seconds.
bool AwaitCompletion(HttpRequest& r) {
  for (int i = 0; i < 2000; ++i) {
    if (r.TakeCompletion()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return false;
}

TEST(HttpRequest, FetchesTextAndHandsItOverOnCompletion) {
  TestServer server({{"/hello", "line1\r\nline2\r\n"}, {"/euc", "\xA4\xB3\xA4\xF3\x8E\xB1"}});
  HttpRequest r;
  ASSERT_TRUE(r.Start(server.Url("/hello")));
  ASSERT_TRUE(AwaitCompletion(r));
  EXPECT_TRUE(r.Succeeded());
  EXPECT_EQ(r.Response(), "line1\r\nline2\r\n");
  EXPECT_FALSE(r.TakeCompletion()) << "each end is reported once";

  ASSERT_TRUE(r.Start(server.Url("/euc")));
  ASSERT_TRUE(AwaitCompletion(r));
  EXPECT_EQ(EucJpToCp932(r.Response()), "\x82\xB1\x82\xF1\xB1");  // こんｱ
}

TEST(HttpRequest, FailuresEndWithAnEmptyResponse) {
  TestServer server({{"/big", std::string(HttpRequest::kMaxResponseBytes + 1, 'x')}, {"/ok", "fine"}});
  const std::string urls[] = {server.Url("/big"), server.Url("/missing"), server.Url("/to-file"),
                              "file:///etc/hostname", "ftp://127.0.0.1/x", "gopher://x", ""};
  for (const std::string& url : urls) {
    HttpRequest r;
    ASSERT_TRUE(r.Start(server.Url("/ok")));
    ASSERT_TRUE(AwaitCompletion(r));
    ASSERT_TRUE(r.Start(url));
    ASSERT_TRUE(AwaitCompletion(r)) << url;
    EXPECT_FALSE(r.Succeeded()) << url;
    EXPECT_EQ(r.Response(), "") << url;
  }
}

TEST(HttpRequest, OneRequestAtATimeAndDestructionCancelsIt) {
  TestServer server({});
  auto r = std::make_unique<HttpRequest>();
  ASSERT_TRUE(r->Start(server.Url("/stall")));
  EXPECT_TRUE(r->Busy());
  EXPECT_FALSE(r->Start(server.Url("/other")));
  r.reset();  // returns although the server never answers
}

TEST(HttpRequest, ProxyIsHostAndPortJoinedByAColon) {
  HttpRequest r;
  EXPECT_EQ(r.Proxy(), ":");
  r.SetProxy("proxy.example:8080");
  EXPECT_EQ(r.Proxy(), "proxy.example:8080");
  r.SetProxy("host-only");
  EXPECT_EQ(r.Proxy(), "host-only:");
}

}  // namespace
}  // namespace rivo
