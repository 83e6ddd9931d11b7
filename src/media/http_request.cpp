#include "media/http_request.h"

#include <curl/curl.h>

#include <mutex>

#include "common/sjis.h"

namespace rivo {

namespace {

struct Transfer {
  std::string body;
  std::atomic<bool>* cancel;
  bool too_large = false;
};

size_t Collect(char* data, size_t size, size_t count, void* user) {
  auto* t = static_cast<Transfer*>(user);
  size_t n = size * count;
  if (t->body.size() + n > HttpRequest::kMaxResponseBytes) {
    t->too_large = true;
    return 0;  // makes libcurl stop with a write error
  }
  t->body.append(data, n);
  return n;
}

int Progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  return static_cast<Transfer*>(user)->cancel->load() ? 1 : 0;
}

bool FetchableScheme(const std::string& url) {
  std::string head = sjis::LowerCase(std::string_view(url).substr(0, 8));
  return head.rfind("http://", 0) == 0 || head.rfind("https://", 0) == 0;
}

}  // namespace

HttpRequest::~HttpRequest() {
  cancel_ = true;
  Join();
}

void HttpRequest::Join() {
  if (worker_.joinable()) worker_.join();
}

bool HttpRequest::Start(const std::string& url) {
  if (busy_) return false;
  Join();  // the last worker has finished; collect its thread
  response_.clear();
  succeeded_ = false;
  cancel_ = false;
  busy_ = true;
  if (!FetchableScheme(url)) {
    std::lock_guard lock(mutex_);
    finished_ = true;
    finished_body_.clear();
    finished_ok_ = false;
    busy_ = false;
    return true;
  }
  std::string proxy = proxy_host_.empty() ? std::string() : proxy_host_ + ":" + proxy_port_;
  worker_ = std::thread([this, url, proxy] { Run(url, proxy); });
  return true;
}

void HttpRequest::Run(std::string url, std::string proxy) {
  static std::once_flag global_init;
  std::call_once(global_init, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
  Transfer t{{}, &cancel_};
  bool ok = false;
  if (CURL* curl = curl_easy_init()) {
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 15L);
    // A transfer that brings nothing for 30 seconds has stalled.
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, 30L);
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(kMaxResponseBytes));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &t);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, Progress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &t);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_PROXY, proxy.c_str());  // "" means no proxy, whatever the environment says
    long status = 0;
    if (curl_easy_perform(curl) == CURLE_OK && curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status) == CURLE_OK)
      ok = status < 400;
    curl_easy_cleanup(curl);
  }
  std::lock_guard lock(mutex_);
  finished_ = true;
  finished_ok_ = ok;
  finished_body_ = ok ? std::move(t.body) : std::string();
  busy_ = false;
}

bool HttpRequest::TakeCompletion() {
  std::lock_guard lock(mutex_);
  if (!finished_) return false;
  finished_ = false;
  response_ = std::move(finished_body_);
  finished_body_.clear();
  succeeded_ = finished_ok_;
  return true;
}

void HttpRequest::SetProxy(const std::string& host_port) {
  std::size_t colon = host_port.find(':');
  proxy_host_ = host_port.substr(0, colon);
  proxy_port_ = colon == std::string::npos ? std::string() : host_port.substr(colon + 1);
}

std::string HttpRequest::Proxy() const { return proxy_host_ + ":" + proxy_port_; }

}  // namespace rivo
