// Compiling tagged text must stay linear in its length: dialogue-like text
// (double-byte characters, a tag every few words, line breaks, links and
// waits) and a text whose every character has a style of its own, at 256 KB,
// 1 MB and 4 MB; bytes/s must hold steady across the sizes. The listing's
// markup form of a stored list is measured the same way. The peer figure:
// iconv converting the same dialogue from CP932 to UTF-8, the floor for
// anything that walks the text by character.

#include <benchmark/benchmark.h>

#include <string>

#include "common/byte_writer.h"
#include "common/encoding.h"
#include "text/markup_form.h"
#include "text/qn_word.h"

namespace {

using namespace rivo;

// CP932: 「こんにちは」と彼は言った。 / 今日は<B>いい</B>天気ですね。
const std::string kLineA =
    "\x81\x75\x82\xB1\x82\xF1\x82\xC9\x82\xBF\x82\xCD\x81\x76\x82\xC6\x94\xDE\x82\xCD\x8C\xBE\x82\xC1\x82\xBD"
    "\x81\x42<WAIT VALUE=80>...</WAIT>\r\n";
const std::string kLineB =
    "\x8D\xA1\x93\xFA\x82\xCD<B>\x82\xA2\x82\xA2</B>\x93\x56\x8B\x43\x82\xC5\x82\xB7\x82\xCB\x81\x42 "
    "<FONT COLOR=#FF0000 SIZE=20><A HREF=\"next.rsb\">Next</A></FONT>  <RUBY VALUE=\"\x82\xA9\x82\xC8\">"
    "\x8A\xBF</RUBY>\x83\x5C\\<BR>\r\n";

std::string Dialogue(std::size_t size) {
  std::string text;
  while (text.size() < size) text += (text.size() / 100) % 2 ? kLineA : kLineB;
  return text;
}

// Every character in a style no other character has (sizes and colours vary).
std::string ManyStyles(std::size_t size) {
  std::string text;
  for (int i = 0; text.size() < size; ++i)
    text += "<FONT SIZE=" + std::to_string(i % 1000 + 1) + " COLOR=#" + std::to_string(100000 + i % 900000) +
            ">x</FONT>";
  return text;
}

void Compile(benchmark::State& state, const std::string& text) {
  for (auto _ : state) {
    TQnWord word;
    word.ParseText(text, 50);
    benchmark::DoNotOptimize(word.Count());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

void BM_CompileDialogue(benchmark::State& state) { Compile(state, Dialogue(static_cast<std::size_t>(state.range(0)))); }
void BM_CompileManyStyles(benchmark::State& state) {
  Compile(state, ManyStyles(static_cast<std::size_t>(state.range(0))));
}

void BM_MarkupOfStoredList(benchmark::State& state) {
  TQnWord word;
  word.ParseText(Dialogue(static_cast<std::size_t>(state.range(0))), 50);
  ByteWriter out;
  word.SaveGlyphs(out);
  for (auto _ : state) benchmark::DoNotOptimize(MarkupOfStoredList(out.data(), 50));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(out.Size()));
}

void BM_PeerIconvDialogue(benchmark::State& state) {
  std::string text = Dialogue(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(Cp932ToUtf8(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

}  // namespace

#define SIZES Arg(256 << 10)->Arg(1 << 20)->Arg(4 << 20)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_CompileDialogue)->SIZES;
BENCHMARK(BM_CompileManyStyles)->SIZES;
BENCHMARK(BM_MarkupOfStoredList)->SIZES;
BENCHMARK(BM_PeerIconvDialogue)->SIZES;

BENCHMARK_MAIN();
