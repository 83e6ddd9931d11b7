#pragma once
// What the look-ahead loader tells others who prepare for the coming pages
// (the glyphs rendered ahead): every page it reads, once, and the pages each
// of its plans names. Both are called on the loader's thread.

#include <string>
#include <vector>

namespace rivo {

class TPage;

class LookAheadWatcher {
 public:
  virtual ~LookAheadWatcher() = default;
  // A page read and parsed; name as the plan spells it.
  virtual void PageRead(const std::string& name, TPage& page) = 0;
  // The pages of a new plan, the likeliest first.
  virtual void Planned(const std::vector<std::string>& pages) = 0;
};

}  // namespace rivo
