#pragma once
// TVrFileCollection: one content source. A folder of loose files, an open
// archive (a file such as "game.dat", an executable with an archive appended,
// or an archive held in an executable's resource), or both; its entries are
// those of the archive's directory plus memory entries. The save file uses
// the same container: entries built in memory, written back as a whole.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "common/hash_collection.h"
#include "content/big_stream.h"
#include "content/content_path_resolver.h"
#include "content/range_stream.h"
#include "content/vr_file.h"
#include "content/zlib_codec.h"

namespace rivo {

class TVrFileCollection : public THashCollection<TVrFile> {
 public:
  // The entry that closes every directory read: it stands at the end
  // offset, is found by name like any entry and is never written.
  static constexpr std::string_view kSentinelName = "\\EOF\\";
  // Entries this large are stored, never compressed, so that they can be
  // streamed in place.
  static constexpr int64_t kStoreFromSize = 5242880;

  TVrFileCollection() = default;
  TVrFileCollection(TVrFileCollection&&) = default;
  TVrFileCollection& operator=(TVrFileCollection&&) = default;

  // Clears the source and opens path: an existing file becomes the archive
  // (its folder the source's folder), anything else is taken as a folder.
  // A ".exe"/".scr" file holds its archive at the position its trailer
  // names; beside any other file a ".ext" side file, when present, holds the
  // directory. A damaged archive throws LoadError and leaves the source empty.
  void Open(const std::filesystem::path& path);
  // Opens the archive held in the resource (res_type, res_name) of a Windows
  // executable. A file that is no executable leaves the source empty; a
  // missing or empty resource raises "リソースが見つかりません".
  void OpenResource(const std::filesystem::path& module_path, std::string_view res_type, std::string_view res_name);

  // Takes stream as the source's archive (an archive held in memory, such
  // as save data) and reads its directory from position 0; name is how
  // errors call it. Damaged data throws LoadError and leaves the source empty.
  void OpenStream(std::unique_ptr<TQnBigStream> stream, const std::filesystem::path& name);
  // Reads a directory at the stream's position; the stream's size bounds
  // the offsets.
  void ReadDirectory(TQnBigStream& stream);
  // Writes every entry (but the sentinel) as a version-102 archive from
  // dest's position 0.
  bool WriteArchive(TQnBigStream& dest);

  // The content of one entry into dest (emptied first when it is a memory
  // stream), preferring a loose file of that name in the folder; dest is
  // left at position 0. Raises "%s:ファイルがありません" when absent.
  void ReadEntry(TStream& dest, std::string_view name);
  // The content of an archive entry (or a memory entry's data) into dest at
  // its position. An entry that cannot deliver all of its bytes throws.
  // Archives before version 101 carry no flags: each entry is read as a zlib
  // stream, or as it stands when its bytes are no complete zlib stream.
  void ReadArchiveEntry(TStream& dest, const TVrFile& entry);
  // An archive entry as ReadDetached reads it: where it lies and how it is
  // coded, apart from the collection and its archive stream.
  struct DetachedEntry {
    std::filesystem::path archive_path;
    bool resource = false;  // the archive is the resource (res_type, res_name) of the executable archive_path
    std::string res_type, res_name;
    int64_t offset = 0, size = 0;
    bool plain = false;     // read as it stands (PlainlyStored)
    bool flagless = false;  // FlaglessArchive
    int64_t inflate_limit = 0;
    std::string archive_name, entry_name;  // CP932, as errors name them
  };
  // Nothing for a memory entry, or when no archive is open or the archive is
  // held only in memory (OpenStream): those are read through ReadArchiveEntry.
  std::optional<DetachedEntry> Detach(const TVrFile& entry) const;
  // What ReadArchiveEntry reads for the entry, raising what it raises, read
  // through a handle of its own: on any thread, while the collection it came
  // from is read, changed or closed meanwhile.
  static void ReadDetached(TStream& dest, const DetachedEntry& entry);
  // An archive entry's bytes as they lie in the archive (empty for memory entries).
  std::string ReadStoredBytes(const TVrFile& entry);
  // Whether reading the entry gives its bytes as they stand: its Stored flag,
  // or for an archive without flags what its bytes turn out to be.
  bool ReadsAsStored(const TVrFile& entry);

  TVrFile& AddEntry(std::string name);
  TVrFile& AddMemoryEntry(std::string name);
  void DeleteEntry(std::string_view name);

  // A window over an entry's bytes as stored (meaningful for stored
  // entries); null when no archive is open or the name is absent.
  std::unique_ptr<TRangeStream> OpenRange(std::string_view name);

  bool HasArchive() const { return archive_stream_ != nullptr; }
  TQnBigStream* ArchiveStream() const { return archive_stream_.get(); }
  const std::filesystem::path& Folder() const { return folder_; }
  const std::filesystem::path& ArchivePath() const { return archive_path_; }
  int32_t Version() const { return version_; }
  // Versions up to 100 have no per-entry flags, file times or checksums.
  bool FlaglessArchive() const { return version_ <= 100; }
  // The loose file of that name in the folder, if any (never the archive itself).
  std::optional<std::filesystem::path> LooseFile(std::string_view name);

  // Compressed entries inflating beyond this are refused (tests lower it).
  void SetInflateLimit(int64_t limit) { inflate_limit_ = limit; }

 private:
  void Reset();
  void ReadDirectoryFrom(TQnBigStream& tables, int64_t container_size);
  std::string DisplayName() const;
  std::string EntryName(const TVrFile& entry) const;  // how inflate errors name an entry
  [[noreturn]] void FailEntry(const TVrFile& entry, const std::string& what) const;
  DetachedEntry Describe(const TVrFile& entry) const;
  // The entry's content from archive, which Describe or Detach described.
  static void ReadDescribed(TQnBigStream& archive, TStream& dest, const DetachedEntry& entry);
  // Read as it stands without a look at its bytes.
  bool PlainlyStored(const TVrFile& entry) const;
  void SeekEntry(const TVrFile& entry);
  std::string EntryBytes(TVrFile& entry);

  std::filesystem::path folder_;
  std::filesystem::path archive_path_;
  std::unique_ptr<TQnBigStream> archive_stream_;
  bool resource_ = false;
  bool reopenable_ = false;  // the archive is a file or a resource, not a stream held in memory
  std::string res_type_, res_name_;
  int32_t version_ = 0;
  int64_t inflate_limit_ = kMaxInflatedSize;
  TContentPathResolver resolver_;
};

}  // namespace rivo
