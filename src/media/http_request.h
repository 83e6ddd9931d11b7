#pragma once
// HttpRequest: one GET at a time on a worker thread, for the HTTP component
// of the scenario. The worker fills a buffer of its own and hands it over
// when it ends; the frame loop polls for that end in its tick and only
// then reads the response, so the two threads never share a buffer that is
// being written. A response is capped at 16 MiB, a stalled transfer times
// out, and destroying the request cancels a running transfer instead of
// waiting for it. Only http:// and https:// addresses are fetched (also
// across redirects); anything else fails at once.

#include <atomic>
#include <cstddef>
#include <mutex>
#include <string>
#include <thread>

namespace rivo {

class HttpRequest {
 public:
  static constexpr std::size_t kMaxResponseBytes = std::size_t{16} << 20;

  HttpRequest() = default;
  ~HttpRequest();
  HttpRequest(const HttpRequest&) = delete;
  HttpRequest& operator=(const HttpRequest&) = delete;

  // Starts fetching url; false (and nothing changes) while a request runs.
  bool Start(const std::string& url);
  bool Busy() const { return busy_.load(); }
  // True once for each request that ended (well or not) since the last call.
  bool TakeCompletion();
  // The body of the last request that ended; empty when it failed.
  const std::string& Response() const { return response_; }
  bool Succeeded() const { return succeeded_; }

  // "host:port", as the component's proxy property reads and sets it.
  void SetProxy(const std::string& host_port);
  std::string Proxy() const;

 private:
  void Run(std::string url, std::string proxy);
  void Join();

  std::thread worker_;
  std::atomic<bool> busy_{false};
  std::atomic<bool> cancel_{false};
  mutable std::mutex mutex_;  // guards finished_*, handed over by the worker
  bool finished_ = false;
  std::string finished_body_;
  bool finished_ok_ = false;
  // The frame loop's own copies.
  std::string response_;
  bool succeeded_ = false;
  std::string proxy_host_;
  std::string proxy_port_;
};

}  // namespace rivo
