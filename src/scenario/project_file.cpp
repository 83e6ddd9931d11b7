#include "scenario/project_file.h"

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/encoding.h"
#include "script/param_kind.h"

namespace rivo {

ProjectFile::ProjectFile()
    : disk_prompt(Utf8ToCp932("ディスク%dを入れてから[OK]をクリックしてください")),
      exit_message(Utf8ToCp932("終了します")) {}

int32_t ProjectFile::VersionOf(std::string_view bytes, const std::string& name) {
  ByteReader in(bytes, name);
  return in.I32();
}

ProjectFile ProjectFile::Read(std::string_view bytes, const std::string& name) {
  ByteReader in(bytes, name);
  ProjectFile p;
  p.version = in.I32();
  if (p.version > kNewestVersion) in.Fail("version " + std::to_string(p.version) + " is newer than this player");
  p.title = in.String();
  p.screen_width = in.I32();
  p.screen_height = in.I32();
  p.full_screen_width = in.I32();
  p.full_screen_height = in.I32();
  p.start_page = in.String();
  if (p.version >= 110) p.end_page = in.String();
  p.registry_key = in.String();
  p.identification_code = in.I32();
  if (p.version >= 104) p.write_status_file = in.U8();
  p.frame_limit = p.version >= 106 ? in.U8() : 0;
  p.media_extensions = p.version >= 109 ? in.String() : ".wav.wma.ogg.mid";
  p.disk_prompt = in.String();
  p.exit_message = in.String();

  // A variable takes at least its kind byte and its name's length.
  std::size_t count = in.Count(in.I32(), 5);
  p.variables.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    InitialVariable v;
    v.kind = in.U8();
    v.name = in.String();
    switch (v.kind) {
      case PT_INT: v.int_value = in.I32(); break;
      case PT_FLOAT: v.real_value = in.Extended(); break;
      case PT_BOOL: v.flag_value = in.U8(); break;
      case PT_STR: v.string_value = in.String(); break;
      default: in.Fail("variable " + std::to_string(i) + " has kind " + std::to_string(v.kind) + ", not 1..4");
    }
    p.variables.push_back(std::move(v));
  }

  std::size_t disks = in.Count(in.I32(), 8);
  p.disks.reserve(disks);
  for (std::size_t i = 0; i < disks; ++i) {
    std::string folder = in.String();
    int32_t disk = in.I32();
    p.disks.emplace_back(std::move(folder), disk);
  }
  return p;
}

std::string ProjectFile::Write() const {
  ByteWriter out;
  out.I32(version);
  out.String(title);
  out.I32(screen_width);
  out.I32(screen_height);
  out.I32(full_screen_width);
  out.I32(full_screen_height);
  out.String(start_page);
  if (version >= 110) out.String(end_page);
  out.String(registry_key);
  out.I32(identification_code);
  if (version >= 104) out.U8(write_status_file);
  if (version >= 106) out.U8(frame_limit);
  if (version >= 109) out.String(media_extensions);
  out.String(disk_prompt);
  out.String(exit_message);
  out.I32(static_cast<int32_t>(variables.size()));
  for (const InitialVariable& v : variables) {
    out.U8(v.kind);
    out.String(v.name);
    switch (v.kind) {
      case PT_INT: out.I32(v.int_value); break;
      case PT_FLOAT: out.Extended(v.real_value); break;
      case PT_BOOL: out.U8(v.flag_value); break;
      case PT_STR: out.String(v.string_value); break;
      default: break;
    }
  }
  out.I32(static_cast<int32_t>(disks.size()));
  for (const auto& [folder, disk] : disks) {
    out.String(folder);
    out.I32(disk);
  }
  return out.Take();
}

}  // namespace rivo
