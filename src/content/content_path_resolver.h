#pragma once
// Content names ("bg\room.orb", CP932, "\" separators, any letter case, as
// written on Windows) to host paths under a folder. A name is tried as its
// UTF-8 form, then as its raw bytes, and then folder level by folder level,
// each level by the same two forms and finally by a scan of the folder that
// ignores the case of single-byte letters. Folder listings are cached and
// read again when the folder changes.
//
// A name never leads outside its folder: absolute names ("\x", "\\server",
// "c:x", "/x") are refused, "." is skipped and ".." may only climb back out
// of folders the name itself went into.

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rivo {

class TContentPathResolver {
 public:
  // The existing file or folder that name denotes under folder, or nullopt.
  std::optional<std::filesystem::path> Resolve(const std::filesystem::path& folder, std::string_view name_cp932);

  // The components of name ("a\b/c" -> a, b, c) with "." and ".." applied;
  // nullopt for names that are empty, absolute, hold a NUL byte or climb
  // out of the folder.
  static std::optional<std::vector<std::string>> Components(std::string_view name_cp932);

  // The host name of one component: its UTF-8 form ("/" never occurs in a
  // component; the CP932 bytes that have no UTF-8 form stay as they are).
  static std::string HostName(std::string_view component_cp932);

 private:
  struct Listing {
    std::filesystem::file_time_type time;
    std::vector<std::pair<std::string, std::string>> entries;  // host name, CP932 form
  };
  // try_forms: whether the component's UTF-8 and raw forms are still to be
  // tried before the scan of the folder.
  std::optional<std::filesystem::path> Step(const std::filesystem::path& dir, const std::string& component,
                                            bool try_forms);
  const Listing& ListingOf(const std::filesystem::path& dir);

  // By the folder's path as a string: comparing paths goes component by component.
  std::map<std::string, Listing, std::less<>> cache_;
};

}  // namespace rivo
