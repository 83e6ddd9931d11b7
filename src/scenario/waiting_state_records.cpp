// The run-time state records of the commands that wait on the screen, a
// message window or a medium (the Wait command's is beside it).

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "scenario/flip_command.h"
#include "scenario/object_commands.h"
#include "scenario/state_record.h"
#include "scenario/text_commands.h"

namespace rivo {

void TComFlip::SaveState(ByteWriter& out) const {
  WriteStateTag(out);
  out.U8(Block ? 1 : 0);
  out.U8(Release ? 1 : 0);
}

void TComFlip::LoadState(ByteReader& in) {
  if (ReadStateTag(in) < kStateRecordVersion) return;
  Block = in.U8() != 0;
  Release = in.U8() != 0;
}

void TComMovieStop::SaveState(ByteWriter& out) const {
  WriteStateTag(out);
  out.String(ObjectName);
  out.U8(Waiting ? 1 : 0);
  out.U8(Block ? 1 : 0);
}

void TComMovieStop::LoadState(ByteReader& in) {
  int32_t version = ReadStateTag(in);
  ObjectName = in.String();
  Waiting = in.U8() != 0;
  if (version >= kStateRecordVersion) Block = in.U8() != 0;
}

void TComTextIns::SaveState(ByteWriter& out) const {
  WriteStateTag(out);
  out.String(WindowName);
  out.U8(Waiting ? 1 : 0);
  out.U8(Block ? 1 : 0);
}

void TComTextIns::LoadState(ByteReader& in) {
  int32_t version = ReadStateTag(in);
  WindowName = in.String();
  Waiting = in.U8() != 0;
  if (version >= kStateRecordVersion) Block = in.U8() != 0;
}

}  // namespace rivo
