#include <gtest/gtest.h>

#include "archive_fixtures.h"
#include "common/byte_writer.h"
#include "common/error.h"
#include "content/install_set.h"
#include "content/memory_stream.h"

namespace rivo {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

TRivoInstallSet Sample() {
  TRivoInstallSet s;
  s.DiskIndex = 1;
  s.Title = "\x83\x5C\x83\x74\x83\x67";  // ソフト
  s.Strings4to6 = {"a", "", "c"};
  s.Flag7 = 1;
  s.String8 = "eight";
  s.DiskValues = {{1, 2, 3, int64_t{1} << 40}, {5, 6, 7, 8}};
  s.DiskCount = 2;
  s.Totals = {9, 10, 11, 12};
  s.MadeFiles = {"shot1.orb"};
  s.CompleteInstall = true;
  s.List22 = {"x", ""};
  s.String23 = "23";
  s.Strings24 = {"24a", "24b"};
  return s;
}

TEST(InstallSet, WhatThePlayerWritesStartsIs108AndReadsBackTheSame) {
  TRivoInstallSet s = Sample();
  std::string bytes = s.SaveToBytes();
  EXPECT_EQ(bytes.substr(0, 5), "is108");
  TRivoInstallSet r;
  r.LoadFromBytes(bytes, "install.dat");
  EXPECT_EQ(r.Version(), 108);
  EXPECT_EQ(r.SaveToBytes(), bytes);
  EXPECT_EQ(r.Title, s.Title);
  EXPECT_EQ(r.DiskCount, 2);
  EXPECT_EQ(r.DiskValues[0][3], int64_t{1} << 40);
  EXPECT_EQ(r.List22, s.List22);
  EXPECT_TRUE(r.CompleteInstall);
}

// The oldest layout: no magic, 32-bit per-disc values.
std::string OldFile() {
  ByteWriter w;
  w.I32(3);
  w.String("Title");
  for (int i = 0; i < 3; ++i) w.String("s");
  w.U8(1);
  w.String("8");
  w.U8(0);
  w.I32(1);  // one disc
  w.String("11");
  w.I32(12);
  w.U8(0);
  w.U8(1);
  w.String("13a");
  w.String("13b");
  for (int i = 0; i < 4; ++i) w.I32(-1);  // widened without sign: the high half is 0
  for (int i = 0; i < 4; ++i) w.I32(i);
  w.U8(1);
  return w.Take();
}

TEST(InstallSet, AFileWithoutMagicIsReadFromByteZeroWithNarrowValues) {
  TRivoInstallSet r;
  r.LoadFromBytes(OldFile(), "install.dat");
  EXPECT_EQ(r.Version(), 0);
  EXPECT_EQ(r.DiskIndex, 3);
  EXPECT_EQ(r.Title, "Title");
  EXPECT_EQ(r.DiskValues.at(0)[0], 0xFFFFFFFFll);
  EXPECT_EQ(r.Totals[3], 3);
  EXPECT_TRUE(r.MadeFiles.empty());
  EXPECT_FALSE(r.CompleteInstall);

  // "is" with a version that is no number: version 0 after the five bytes.
  TRivoInstallSet x;
  x.LoadFromBytes("isABC" + OldFile(), "install.dat");
  EXPECT_EQ(x.Version(), 0);
  EXPECT_EQ(x.Title, "Title");
}

TEST(InstallSet, DamagedFilesAreRefusedAndChangeNothing) {
  std::string good = Sample().SaveToBytes();
  TRivoInstallSet none = Sample();
  none.MadeFiles.clear();
  std::string many = none.SaveToBytes();
  // After the made-files count: the flag bytes 19-21 (3), the second list
  // (4 + 5 + 4), row 23 (4 + 2) and row 24 (2 × 7): 36 bytes.
  many.replace(many.size() - 40, 4, std::string("\xFF\xFF\xFF\x7F", 4));
  TRivoInstallSet r = Sample();
  r.Title = "kept";
  for (const std::string& bad : {good.substr(0, good.size() - 3), std::string("is108"), std::string("is1"), many}) {
    EXPECT_THROW(r.LoadFromBytes(bad, "install.dat"), LoadError);
    EXPECT_EQ(r.Title, "kept");
  }
}

TEST(InstallSet, MadeFilesAreAddedOnceIgnoringCase) {
  TRivoInstallSet s;
  s.AddMadeFile("Shot.orb");
  s.AddMadeFile("SHOT.ORB");
  s.AddMadeFile("other.orb");
  EXPECT_EQ(s.MadeFiles.size(), 2u);
  EXPECT_EQ(s.IndexOfMadeFile("shot.orb"), 0);
  EXPECT_EQ(s.IndexOfMadeFile("none"), -1);
}

TEST(InstallSet, SavingReplacesTheFileWholeAndLeavesNothingBeside) {
  TempDir dir;
  WriteFile(dir / "install.dat", "old contents");
  TRivoInstallSet s = Sample();
  s.SaveToFile(dir / "install.dat");
  EXPECT_EQ(ReadFile(dir / "install.dat"), s.SaveToBytes());
  int files = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++files;
  EXPECT_EQ(files, 1);
  TRivoInstallSet r;
  r.LoadFromFile(dir / "install.dat");
  EXPECT_EQ(r.MadeFiles, s.MadeFiles);
  EXPECT_THROW(s.SaveToFile(dir / "no" / "such" / "install.dat"), RivoError);

  TQnMemoryStream stream(s.SaveToBytes());
  TRivoInstallSet from_stream;
  from_stream.LoadFromStream(stream);
  EXPECT_EQ(from_stream.Title, s.Title);
}

}  // namespace
}  // namespace rivo
