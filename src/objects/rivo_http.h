#pragma once
// TRivoHttp: the HTTP component. Setting PR_SOURCE fetches the address in
// the background (a value beginning with "!" names another HTTP component
// whose response is the address); the tick that sees the request end
// raises PR_ONPLAYEND. PR_TEXT is the response read as EUC-JP, its lines
// joined with byte 0x01. A request still running when the component goes
// is cancelled, not waited for.

#include <string>

#include "media/http_request.h"
#include "objects/rivo_object.h"

namespace rivo {

class TRivoHttp : public TRivoComponent {
 public:
  explicit TRivoHttp(TRivoBaseList& owner) : TRivoComponent(owner) {}

  static const PropertyAccessors& ClassProperties();
  const PropertyAccessors& Properties() const override { return ClassProperties(); }
  int32_t GetCompoType() const override { return LT_HTTP; }

  const std::string& GetSource() const { return source_; }
  // Ignored while a request runs.
  void SetSource(std::string_view source);
  std::string GetText() const;
  const std::string& GetOnPlayEnd() const { return on_play_end_; }
  void SetOnPlayEnd(std::string_view page) { on_play_end_ = page; }

  // The response as it came (GetResponseStream).
  const std::string& Response() const { return request_.Response(); }
  // The proxy as "host:port"; set from such a text.
  std::string GetProxy() const { return request_.Proxy(); }
  void SetProxy(const std::string& host_port) { request_.SetProxy(host_port); }
  bool Busy() const { return request_.Busy(); }

  bool Tick() override;

 private:
  std::string source_;
  std::string on_play_end_;
  HttpRequest request_;
};

}  // namespace rivo
