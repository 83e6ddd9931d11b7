#pragma once
// EUC-JP text (what many Japanese web servers send) as CP932, by the JIS
// row and cell arithmetic rather than a conversion table, so every JIS
// X 0208 character maps exactly as it does on Windows. 0x8E marks a
// single-byte katakana; JIS X 0212 characters (0x8F and two bytes) have no
// CP932 form and become "?". A character cut off at the end of the text is
// dropped, never read past.

#include <string>
#include <string_view>

namespace rivo {

std::string EucJpToCp932(std::string_view euc);

}  // namespace rivo
