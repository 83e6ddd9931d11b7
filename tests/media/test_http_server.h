#pragma once
// A small HTTP server of the test's own on the loopback interface (never
// the network), for the HTTP worker and the HTTP component.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <map>
#include <string>
#include <thread>

namespace rivo::testing {

// Answers GET path with the body of that path (close-delimited, HTTP/1.0);
// "/stall" never answers; unknown paths get 404; "/to-file" redirects to file://.
class TestServer {
 public:
  explicit TestServer(std::map<std::string, std::string> bodies) : bodies_(std::move(bodies)) {
    listen_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(listen_, reinterpret_cast<sockaddr*>(&a), sizeof a);
    listen(listen_, 8);
    socklen_t len = sizeof a;
    getsockname(listen_, reinterpret_cast<sockaddr*>(&a), &len);
    port_ = ntohs(a.sin_port);
    thread_ = std::thread([this] { Serve(); });
  }
  ~TestServer() {
    stop_ = true;
    shutdown(listen_, SHUT_RDWR);
    thread_.join();
    close(listen_);
  }
  std::string Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }

 private:
  void Serve() {
    while (!stop_) {
      int c = accept(listen_, nullptr, nullptr);
      if (c < 0) return;
      std::string request;
      char buf[1024];
      while (request.find("\r\n\r\n") == std::string::npos) {
        ssize_t n = recv(c, buf, sizeof buf, 0);
        if (n <= 0) break;
        request.append(buf, static_cast<std::size_t>(n));
      }
      if (request.size() < 5) {
        close(c);
        continue;
      }
      std::string path = request.substr(4, request.find(' ', 4) - 4);
      if (path == "/stall") {
        while (!stop_) {
          pollfd p{c, POLLIN, 0};
          if (poll(&p, 1, 20) > 0 && recv(c, buf, sizeof buf, 0) <= 0) break;  // the client gave up
        }
      } else if (path == "/to-file") {
        Send(c, "HTTP/1.0 302 Found\r\nLocation: file:///etc/hostname\r\n\r\n");
      } else if (auto b = bodies_.find(path); b != bodies_.end()) {
        Send(c, "HTTP/1.0 200 OK\r\n\r\n" + b->second);
      } else {
        Send(c, "HTTP/1.0 404 Not Found\r\n\r\nnope");
      }
      close(c);
    }
  }
  static void Send(int c, const std::string& s) {
    for (std::size_t at = 0; at < s.size();) {
      ssize_t n = send(c, s.data() + at, s.size() - at, MSG_NOSIGNAL);
      if (n <= 0) return;
      at += static_cast<std::size_t>(n);
    }
  }

  std::map<std::string, std::string> bodies_;
  int listen_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace rivo::testing
