#include "scenario/empty_history.h"

#include "common/byte_reader.h"
#include "common/byte_writer.h"

namespace rivo {
namespace {

constexpr int32_t kMetrics = 6;

// One history as the given save version laid it out.
void SkipHistory(ByteReader& in, int32_t version) {
  if (version < 113) {
    in.String();  // a field of the oldest layout that means nothing now
    // The old entries as runs: all names, all command positions, all page
    // indexes, all sizes.
    const std::size_t entries = in.Count(in.I32(), 4);
    for (std::size_t i = 0; i < entries; ++i) in.String();
    in.Skip(in.Count(static_cast<int64_t>(entries) * 16, 1));
  } else {
    const std::size_t entries = in.Count(in.I32(), 4 + 4 * 4);
    for (std::size_t i = 0; i < entries; ++i) {
      in.String();
      in.Skip(4 * 4);
    }
  }
  in.String();      // the pending page,
  in.Skip(4 * 4);   // its command, page index and window size,
  in.String();      // the window's name
  if (version < 113) return;
  in.Skip(4);       // MaxCount
  in.Skip(kMetrics * 4 + 2 * 4);  // the layout metrics, the pending start and end
  const bool values = version > 123;
  const std::size_t pages = in.Count(in.I32(), 8);
  for (std::size_t p = 0; p < pages; ++p) {
    const std::size_t blocks = in.Count(in.I32(), values ? 24 : 20);
    for (std::size_t b = 0; b < blocks; ++b) {
      in.String();  // the page name, 
      in.Skip(4 * 4);  // command, start, end, height,
      if (values) in.String();  // the recorded values
    }
    in.Skip(4);  // TotalHeight
  }
  if (values) in.String();  // PendingValues
}

}  // namespace

void EmptyHistory::SaveToStream(ByteWriter& out) const {
  out.I32(1);       // one format: the default,
  out.String("");   // with the empty name
  for (int32_t i = 0; i < kMetrics; ++i) out.I32(0);
  out.I32(0);       // no old entries
  out.String("");   // nothing pending: no page,
  for (int32_t i = 0; i < 4; ++i) out.I32(0);  // command, page index, width, height
  out.String("");   // no window
  out.I32(0);       // MaxCount: unlimited
  for (int32_t i = 0; i < kMetrics + 2; ++i) out.I32(0);  // layout metrics, pending start and end
  out.I32(0);       // no history pages
  out.String("");   // no pending values
}

void EmptyHistory::LoadFromStream(ByteReader& in, int32_t version) {
  if (version < 135) {
    SkipHistory(in, version);
    return;
  }
  // A format is at least its name, its metrics and the shortest history.
  const std::size_t formats = in.Count(in.I32(), 4 + kMetrics * 4);
  for (std::size_t f = 0; f < formats; ++f) {
    in.String();
    in.Skip(kMetrics * 4);
    SkipHistory(in, version);
  }
}

}  // namespace rivo
