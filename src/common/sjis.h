#pragma once
// Walking Shift-JIS (code page 932) strings by character.
//
// A lead byte (0x81-0x9F, 0xE0-0xFC) and the byte after it form one character.
// Trail bytes range over 0x40-0xFC, so '\' (0x5C) and the letters A-Z can be
// the second half of a character (ソ is 0x83 0x5C, 表 0x95 0x5C, ア 0x83 0x41).
// Every separator search, extension cut and case fold goes through here so
// that such bytes are never mistaken for single-byte characters.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rivo::sjis {

constexpr std::size_t npos = std::string_view::npos;

constexpr bool IsLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Bytes taken by the character starting at pos: 2 for a lead byte with a byte
// after it, else 1 (a lone lead byte at the end counts as one character).
inline std::size_t CharSize(std::string_view s, std::size_t pos) {
  return IsLeadByte(static_cast<unsigned char>(s[pos])) && pos + 1 < s.size() ? 2 : 1;
}

std::size_t CharCount(std::string_view s);

// The characters of s as codes: a single byte, or lead * 256 + trail.
std::vector<uint16_t> CharCodes(std::string_view s);

// True when the byte at pos is the second half of a double-byte character.
bool IsTrailByteAt(std::string_view s, std::size_t pos);

// Byte position of the first occurrence of sub in s that starts on a
// character boundary at or after from (itself a boundary), or npos; an
// empty sub is never found. A '\' searched for is never taken from the
// second half of ソ.
std::size_t Find(std::string_view s, std::string_view sub, std::size_t from = 0);

// Byte position of the last single-byte character of s that occurs in
// delimiters (a set of single-byte characters), or npos.
std::size_t LastDelimiter(std::string_view delimiters, std::string_view s);

// "bg\room.orb" -> ".orb"; "" when the last name has no '.'.
std::string_view ExtractFileExt(std::string_view path);
// "bg\room.orb" -> "room.orb".
std::string_view ExtractFileName(std::string_view path);
// "bg\room.orb" -> "bg\" (with the separator), "" for a bare name.
std::string_view ExtractFilePath(std::string_view path);
// Replaces the extension (ext includes its '.', or is empty to remove it).
std::string ChangeFileExt(std::string_view path, std::string_view ext);

// Case folding of the single-byte letters only; double-byte characters are
// copied unchanged whatever their trail byte.
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
void UpperCaseInPlace(std::string& s);

// Comparison ignoring the case of single-byte letters (as folded by UpperCase).
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);

}  // namespace rivo::sjis
