// How a creating command applies its property expressions: in the fixed
// creation order, never the skipped ids, the creation defaults for
// expressions without a value, the automatic name kept for an empty name,
// the active base for a parent not found, and one invalidation at the end.

#include <gtest/gtest.h>

#include "objects/rivo_control.h"
#include "scenario/component_commands.h"
#include "scenario_fixtures.h"
#include "script/build_rivo_parser.h"

namespace rivo {
namespace {

// A control that records every property written to it, in order.
class Recorder : public TRivoControl {
 public:
  using TRivoControl::TRivoControl;
  const PropertyAccessors& Properties() const override { return table_; }
  void Invalidate() override { log.push_back(-1); }

  std::vector<int32_t> log;
  std::vector<std::string> values;

 private:
  template <int32_t Id>
  static void Record(TRivoObject& o, const TCustomParam& v) {
    auto& r = static_cast<Recorder&>(o);
    r.log.push_back(Id);
    r.values.push_back(v.AsStr());
    TRivoControl::ClassProperties()[Id].set ? TRivoControl::ClassProperties()[Id].set(o, v) : void();
  }
  static PropertyAccessors Build() {
    PropertyAccessors t = TRivoControl::ClassProperties();
    Fill(t, std::make_integer_sequence<int32_t, kPropertyCount>());
    return t;
  }
  template <int32_t... Ids>
  static void Fill(PropertyAccessors& t, std::integer_sequence<int32_t, Ids...>) {
    (t.SetFunction(Ids, &Record<Ids>), ...);
  }
  inline static const PropertyAccessors table_ = Build();
};

struct Creation : test::Interpreter {
  PropertySlots slots;
  void Slot(int32_t id, const std::string& expression) {
    slots[static_cast<std::size_t>(id)] = std::make_unique<TRivoParser>();
    CompileExpression(expression, *slots[static_cast<std::size_t>(id)]);
  }
};

TEST(CreationOrder, EveryListedIdIsAppliedInTheFixedOrderAndTheSkippedOnesNever) {
  Creation c;
  c.host.AddPage("page.rsb", "Calc x = 1\n");
  c.Start("page.rsb");
  for (int32_t id = 0; id < kPropertyCount; ++id) c.Slot(id, id == PR_NAME || id == PR_PARENT ? "" : "1");
  Recorder& r = c.screen.Create<Recorder>();
  const std::string automatic = r.GetName();
  ApplyCreationProperties(*c.calls, c.slots, r);
  std::vector<int32_t> expected;
  for (uint8_t id : CreationOrder())
    if (!FindProperty(id)->Has(kSkippedOnCreation) && id != PR_NAME && id != PR_PARENT) expected.push_back(id);
  std::vector<int32_t> applied;
  for (int32_t id : r.log)
    if (id >= 0) applied.push_back(id);
  EXPECT_EQ(applied, expected);
  EXPECT_EQ(r.log.back(), -1);  // the final invalidation
  EXPECT_EQ(r.GetName(), automatic);
  EXPECT_EQ(r.Parent(), &c.screen.ActiveBase());
}

TEST(CreationOrder, ExpressionsWithoutAValueApplyTheCreationDefaults) {
  Creation c;
  c.host.AddPage("page.rsb", "Calc x = 1\n");
  c.Start("page.rsb");
  for (int32_t id : {PR_ZOOMX, PR_COLOR, PR_VISIBLE, PR_TEXT, PR_ALPHA}) c.Slot(id, "");
  c.Slot(PR_NAME, "\"named\"");
  c.Slot(PR_PARENT, "\"nowhere\"");
  Recorder& r = c.screen.Create<Recorder>();
  ApplyCreationProperties(*c.calls, c.slots, r);
  EXPECT_EQ(r.GetName(), "named");
  EXPECT_EQ(r.Parent(), &c.screen.ActiveBase());
  const std::vector<int32_t> ids{PR_ZOOMX, PR_COLOR, PR_ALPHA, PR_VISIBLE, PR_TEXT};
  const std::vector<std::string> values{"256", "-1", "255", "TRUE", ""};
  std::vector<int32_t> applied;
  for (int32_t id : r.log)
    if (id > PR_PARENT) applied.push_back(id);
  EXPECT_EQ(applied, ids);
  EXPECT_EQ(std::vector<std::string>(r.values.end() - 5, r.values.end()), values);
}

}  // namespace
}  // namespace rivo
