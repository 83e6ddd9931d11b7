#pragma once
// TVrFileManager: the one object through which the player reads every file
// of a game. A content name is looked up in the base folder of loose files,
// in the mounted sources (archives, folders, memory entries) in mount order,
// and on the game's discs. The player context owns it.
//
// It reads only inside the base folder, its sources and the disc roots,
// and writes only into its private temporary folder (temporary copies).
//
// The player thread does everything; other threads may read through
// ReadWithOrigin meanwhile (the look-ahead loader). They never take the
// player's lock: such a thread runs at background rank and may be preempted
// for tens of milliseconds while it holds a lock, and the player must not
// wait for it. The player publishes the layout of its sources whenever it
// changes (mounts, the base folder, disc roots); readers look in the latest
// layout with a path resolver of their own and read entries through handles
// of their own, so that the archives' read positions stay the player's.
// An archive's directory does not change while mounted. Memory entries are
// the player's own: only the player thread adds them (through Source, to a
// source without an archive), and readers never look at such a source.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "content/content_path_resolver.h"
#include "content/disc_prompt.h"
#include "content/disc_roots.h"
#include "content/range_stream.h"
#include "content/stream.h"
#include "content/vr_file_collection.h"
#include "content/vr_lock_list.h"

namespace rivo {

class TVrFileManager {
 public:
  // temp_folder: the player's private per-process temporary folder, where
  // temporary copies are made. mount_table: where mounted discs are listed.
  explicit TVrFileManager(std::filesystem::path temp_folder,
                          std::filesystem::path mount_table = "/proc/self/mounts");
  ~TVrFileManager();
  TVrFileManager(const TVrFileManager&) = delete;
  TVrFileManager& operator=(const TVrFileManager&) = delete;

  // Mounts an archive file or a folder; -1 (nothing mounted) when a source
  // of that folder is mounted already. The empty path makes the empty
  // source that receives memory entries (the host mounts it first).
  int MountArchive(const std::filesystem::path& path);
  // Mounts the archive held in an executable's resource.
  int MountResource(const std::filesystem::path& module_path, std::string_view res_name, std::string_view res_type);
  void Unmount(int index);
  void SetBaseFolder(const std::filesystem::path& folder);
  const std::filesystem::path& BaseFolder() const { return base_folder_; }

  // Sources, then the base folder, then the discs.
  bool Exists(std::string_view name);
  // The base folder, then the sources, then the discs; raises
  // "%s:ファイルがありません". dest (emptied when a memory stream) is left
  // at position 0.
  void LoadToStream(TStream& dest, std::string_view name);
  // A window over the file or the stored entry; raises "%s:ファイルがありません".
  std::unique_ptr<TRangeStream> OpenRange(std::string_view name);
  // A host path that holds the content: the loose file itself, or a
  // temporary copy of an entry (one per name, reused); empty when the name
  // is found nowhere.
  std::filesystem::path GetFilePath(std::string_view name);
  // The entry of that name in the first source that holds it.
  TVrFile* FindEntry(std::string_view name);

  // What LoadToStream would read for name, told apart by where it lies: the
  // loose file's path, size and time of change, or the archive and the
  // entry's place in it. Equal origins mean equal contents. Nothing for a
  // name that is absent or held in memory (the game rewrites those at will).
  std::optional<std::string> Origin(std::string_view name);
  struct FileWithOrigin {
    std::string bytes;
    std::string origin;
  };
  // For a thread other than the player's: the content and its Origin, read
  // at one moment; nothing where Origin gives nothing. Raises what
  // LoadToStream raises for a damaged entry. The content is read outside the
  // lock: a mount or unmount meanwhile changes the Origin a later call gives.
  std::optional<FileWithOrigin> ReadWithOrigin(std::string_view name);
  // "\\srv\a\b.x" -> "\\srv\a\", "c:b.x" -> "c:\", "a\b\c.x" -> "a\b\", "c.x" -> "".
  static std::string ExtractFolder(std::string_view name);

  // Asks for disc disk_no (from 1) until it is mounted (true) or the user
  // gives up and confirms ending the player (false). Without a prompt set,
  // false at once.
  bool RequestDisk(int disk_no);
  // Mounts "game.dat" of every disc root whose "install.dat" names the
  // project's title and this disc index; true when one was mounted.
  bool MountDisk(int disk_index);

  // Once per frame: deletes the files waiting for deletion.
  void Tick();

  // The host wires these: the message boxes of the disc request, and the
  // project's title that a disc's "install.dat" must carry (CP932).
  void SetDiscPrompt(DiscPrompt* prompt) { prompt_ = prompt; }
  void SetProjectTitle(std::string title) { project_title_ = std::move(title); }
  // A folder searched like a disc (the --disc-root option).
  void AddDiscRoot(std::filesystem::path folder);
  const TDiscRoots& DiscRoots() const { return disc_roots_; }

  int SourceCount() const { return static_cast<int>(sources_.size()); }
  TVrFileCollection& Source(int index) { return *sources_.at(static_cast<std::size_t>(index)); }
  const std::filesystem::path& TempFolder() const { return locks_.temp_folder(); }
  const TVrLockList& Locks() const { return locks_; }

 private:
  std::optional<std::filesystem::path> BaseFile(std::string_view name);
  std::optional<std::filesystem::path> DiscFile(std::string_view name);
  int Append(std::unique_ptr<TVrFileCollection> source);
  // Where name lies, as Origin tells it, with the source that holds it (or
  // the loose file's path); skip_memory passes over sources without an archive.
  struct Place {
    std::string origin;
    TVrFileCollection* source = nullptr;
    const TVrFile* entry = nullptr;
    std::filesystem::path path;
  };
  // What readers look in: a copy of the player's state, never changed once published.
  struct Layout {
    uint64_t number = 0;  // layout_
    std::filesystem::path base_folder;
    std::vector<std::filesystem::path> disc_roots;
    std::vector<std::shared_ptr<TVrFileCollection>> sources;
  };
  static std::optional<Place> Locate(const Layout& layout, TContentPathResolver& resolver, std::string_view name,
                                     bool skip_memory);
  // Under lock_, after every change of what Layout copies.
  void Publish();

  std::vector<std::shared_ptr<TVrFileCollection>> sources_;
  std::filesystem::path base_folder_;
  TContentPathResolver resolver_;
  TDiscRoots disc_roots_;
  TVrLockList locks_;
  DiscPrompt* prompt_ = nullptr;
  std::string project_title_;
  // Recursive: GetFilePath reads through LoadToStream, RequestDisk mounts.
  std::recursive_mutex lock_;
  // Counts mounts and unmounts: an archive's origins name the layout of sources they were found in.
  uint64_t layout_ = 0;
  // The player takes published_lock_ only to publish; readers to copy the pointer.
  std::mutex published_lock_;
  std::shared_ptr<const Layout> published_;
  // Readers' own, so that they never share the player's.
  std::mutex reader_lock_;
  TContentPathResolver reader_resolver_;
};

}  // namespace rivo
