#include "media/sound_fixtures.h"

#include <vorbis/vorbisenc.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <numbers>

#include "content/big_file_stream.h"
#include "content/vr_file_collection.h"
#include "media/wav_writer.h"

namespace rivo::testing {

namespace fs = std::filesystem;

std::string SinePcm(int frames, int channels, int rate, double hz, int amplitude) {
  std::string pcm;
  for (int f = 0; f < frames; ++f) {
    auto v = static_cast<int16_t>(std::lround(amplitude * std::sin(2 * std::numbers::pi * hz * f / rate)));
    for (int c = 0; c < channels; ++c) pcm.append(reinterpret_cast<const char*>(&v), 2);
  }
  return pcm;
}

std::string ConstantPcm(int frames, int channels, int16_t value) {
  std::string pcm;
  for (int i = 0; i < frames * channels; ++i) pcm.append(reinterpret_cast<const char*>(&value), 2);
  return pcm;
}

std::string WavOf(const std::string& pcm, int channels, int rate, int bits) {
  return WavFileBytes(PcmFormat::Make(static_cast<uint16_t>(channels), static_cast<uint32_t>(rate), static_cast<uint16_t>(bits)), pcm);
}

std::string OggOf(const std::string& pcm16, int channels, int rate) {
  vorbis_info vi;
  vorbis_info_init(&vi);
  if (vorbis_encode_init_vbr(&vi, channels, rate, 0.5f) != 0) std::abort();
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_dsp_state vd;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block vb;
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, 1);
  std::string out;
  auto flush = [&](bool force) {
    ogg_page og;
    while (force ? ogg_stream_flush(&os, &og) : ogg_stream_pageout(&os, &og)) {
      out.append(reinterpret_cast<const char*>(og.header), static_cast<std::size_t>(og.header_len));
      out.append(reinterpret_cast<const char*>(og.body), static_cast<std::size_t>(og.body_len));
    }
  };
  ogg_packet header, comment, code;
  vorbis_analysis_headerout(&vd, &vc, &header, &comment, &code);
  ogg_stream_packetin(&os, &header);
  ogg_stream_packetin(&os, &comment);
  ogg_stream_packetin(&os, &code);
  flush(true);
  const auto* samples = reinterpret_cast<const int16_t*>(pcm16.data());
  const long frames = static_cast<long>(pcm16.size() / 2 / static_cast<std::size_t>(channels));
  for (long at = 0; at <= frames;) {
    long n = std::min<long>(1024, frames - at);
    if (n == 0) {
      vorbis_analysis_wrote(&vd, 0);
      at = frames + 1;
    } else {
      float** buffer = vorbis_analysis_buffer(&vd, static_cast<int>(n));
      for (long i = 0; i < n; ++i)
        for (int c = 0; c < channels; ++c) buffer[c][i] = samples[(at + i) * channels + c] / 32768.0f;
      vorbis_analysis_wrote(&vd, static_cast<int>(n));
      at += n;
    }
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      ogg_packet op;
      while (vorbis_bitrate_flushpacket(&vd, &op)) {
        ogg_stream_packetin(&os, &op);
        flush(false);
      }
    }
  }
  flush(true);
  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);
  return out;
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string MovieOf(const std::string& codecs, const std::string& extension) {
  // Made once per test program: the ffmpeg command is the slow part.
  static std::map<std::string, std::string> made;
  auto [at, fresh] = made.try_emplace(codecs + extension);
  if (!fresh) return at->second;
  PrivateTempFolder temp;
  const fs::path out = temp.Path() / ("movie" + extension);
  const std::string command =
      "ffmpeg -loglevel error -y -f lavfi -i color=c=red:s=64x48:r=25:d=0.5 -f lavfi -i color=c=blue:s=64x48:r=25:d=0.5 "
      "-f lavfi -i sine=f=440:d=1 -filter_complex \"[0:v][1:v]concat=n=2:v=1:a=0,format=yuv420p[v]\" "
      "-map \"[v]\" -map 2:a -ar 44100 " + codecs + " " + out.string() + " </dev/null 2>/dev/null";
  if (std::system(command.c_str()) != 0) return {};
  std::ifstream in(out, std::ios::binary);
  at->second.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return at->second;
}

GameFolder::GameFolder() : files_(std::make_unique<TVrFileManager>(temp_.Path())) {
  files_->MountArchive({});
  files_->SetBaseFolder(game_.Path());
}

void GameFolder::Put(const std::string& name, const std::string& bytes) { WriteFile(game_.Path() / name, bytes); }

void GameFolder::Pack() {
  fs::path loose = game_.Path() / "loose";
  fs::create_directory(loose);
  TVrFileCollection archive;
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(game_.Path()))
    if (e.is_regular_file()) {
      names.push_back(e.path().filename().string());
      fs::rename(e.path(), loose / e.path().filename());
    }
  archive.Open(loose);
  for (const std::string& n : names) archive.AddEntry(n);
  {
    TQnBigFileStream out(game_.Path() / "game.dat", TQnBigFileStream::kWrite);
    archive.WriteArchive(out);
  }
  fs::remove_all(loose);
  files_->MountArchive(game_.Path() / "game.dat");
}

bool GameFolder::TempFolderEmpty() const { return fs::is_empty(temp_.Path()); }

std::vector<int16_t> CaptureDevice::PullFrames(int frames) {
  std::vector<int16_t> out(static_cast<std::size_t>(frames) * 2);
  if (source_) source_->Render(out);
  return out;
}

}  // namespace rivo::testing
