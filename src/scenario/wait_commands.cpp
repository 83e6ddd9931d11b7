#include "scenario/wait_commands.h"

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/numbers.h"
#include "scenario/call_man.h"
#include "scenario/command_support.h"
#include "scenario/state_record.h"

namespace rivo {

void TComWait::Begin(TCallMan& calls) {
  const TCustomParam* time = EvaluateExpression(calls, Time);
  Remaining = time ? time->AsInt() : 0;
  Skip = 1;
  Block = IsTrue(calls, BlockEvents);
}

void TComWait::Execute(TCallMan& calls, std::shared_ptr<TPage>&, int32_t& pc) {
  const TCustomParam* condition = EvaluateExpression(calls, Condition);
  if (condition && !condition->AsBool()) {
    ++pc;
    return;
  }
  if (Remaining == 0) {
    calls.SetRunOn(false);
  } else if (Skip > 0) {
    --Skip;
    calls.SetRunOn(false);
  } else {
    Remaining = WrapSub(Remaining, calls.Host().FrameDeltaMs());
    if (Remaining > 0) calls.SetRunOn(false);
    else ++pc;
  }
}

void TComWait::SaveState(ByteWriter& out) const {
  WriteStateTag(out);
  out.I32(Remaining);
  out.I32(Skip);
  out.U8(Block ? 1 : 0);
}

void TComWait::LoadState(ByteReader& in) {
  int32_t version = ReadStateTag(in);
  Remaining = in.I32();
  Skip = in.I32();
  if (version >= kStateRecordVersion) Block = in.U8() != 0;
}

}  // namespace rivo
