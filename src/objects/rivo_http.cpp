#include "objects/rivo_http.h"

#include "common/euc_jp.h"
#include "objects/rivo_base_list.h"

namespace rivo {

const PropertyAccessors& TRivoHttp::ClassProperties() {
  static const PropertyAccessors table = [] {
    PropertyAccessors t = TRivoComponent::ClassProperties();
    t.Add<&TRivoHttp::GetSource, &TRivoHttp::SetSource>(PR_SOURCE);
    t.Get<&TRivoHttp::GetText>(PR_TEXT);
    t.Add<&TRivoHttp::GetOnPlayEnd, &TRivoHttp::SetOnPlayEnd>(PR_ONPLAYEND);
    return t;
  }();
  return table;
}

void TRivoHttp::SetSource(std::string_view source) {
  if (request_.Busy()) return;
  source_ = source;
  std::string url(source);
  if (!url.empty() && url[0] == '!') {
    const TRivoObject* other = Owner().FindObjectByName(url.substr(1));
    const auto* http = dynamic_cast<const TRivoHttp*>(other);
    url = http ? http->Response() : std::string();
  }
  request_.Start(url);
}

std::string TRivoHttp::GetText() const {
  // Lines end in CR, LF or CR LF; the script sees them joined with 0x01.
  const std::string text = EucJpToCp932(request_.Response());
  std::string joined;
  joined.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      if (i + 1 < text.size()) joined += '\x01';
    } else {
      joined += text[i];
    }
  }
  return joined;
}

bool TRivoHttp::Tick() {
  if (request_.TakeCompletion()) RaiseEvent(on_play_end_, PR_ONPLAYEND);
  return false;
}

}  // namespace rivo
