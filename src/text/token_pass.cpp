#include "text/token_pass.h"

#include "common/sjis.h"

namespace rivo {
namespace {

constexpr char kCR = '\r';
constexpr char kLF = '\n';
constexpr char kTab = '\t';
constexpr char kSpaceMark = '\x14';

constexpr std::string_view kOpeners[] = {"<!--", "<SCRIPT", "<STYLE"};
constexpr std::string_view kClosers[] = {"-->", "</SCRIPT>", "</STYLE>"};

// The keyword of list that the text at pos begins with (any case), or "".
template <std::size_t N>
std::string_view KeywordAt(std::string_view text, std::size_t pos, const std::string_view (&list)[N]) {
  for (std::string_view keyword : list)
    if (sjis::SameText(text.substr(pos, keyword.size()), keyword)) return keyword;
  return {};
}

bool BeginsWith(std::string_view token, std::string_view keyword) {
  return sjis::SameText(token.substr(0, keyword.size()), keyword);
}

bool IsEscapable(char c) { return c == '%' || c == '<' || c == '>' || c == '\\' || c == '{' || c == '}'; }

class TokenScanner {
 public:
  explicit TokenScanner(std::string_view text) : text_(text) {}

  std::vector<std::string> Run() {
    while (pos_ < text_.size()) Step();
    if (!current_.empty()) Emit();
    return std::move(tokens_);
  }

 private:
  void Step() {
    char c = text_[pos_];
    if (quoted_) {
      if (c == '"') quoted_ = false;
      if (c != kCR && c != kLF && c != kTab) current_ += c;
      ++pos_;
      return;
    }
    bool may_be_keyword = c == '<' || c == '-';  // every opener and closer starts so
    if (std::string_view opener = may_be_keyword ? KeywordAt(text_, pos_, kOpeners) : std::string_view();
        !opener.empty()) {
      if (comment_depth_ == 0 && !current_.empty()) Emit();
      current_.append(text_.substr(pos_, opener.size()));
      ++comment_depth_;
      pos_ += opener.size();
      return;
    }
    if (std::string_view closer = may_be_keyword ? KeywordAt(text_, pos_, kClosers) : std::string_view();
        !closer.empty()) {
      // Any closer ends the innermost opener, whatever its kind.
      if (comment_depth_ > 0) --comment_depth_;
      current_.append(text_.substr(pos_, closer.size()));
      if (comment_depth_ == 0) Emit();
      pos_ += closer.size();
      return;
    }
    if (comment_depth_ > 0) {
      current_ += c;
      if (c == kCR) current_ += kLF;
      ++pos_;
      return;
    }
    ++pos_;
    switch (c) {
      case '<':
        if (angle_depth_ == 0 && !current_.empty()) Emit();
        current_ += '<';
        ++angle_depth_;
        return;
      case '>':
        if (angle_depth_ == 0) break;
        if (--angle_depth_ > 0) return;
        current_ += '>';
        Emit();
        AfterTag();
        return;
      case '\\':
        if (pos_ >= text_.size()) break;
        if (IsEscapable(text_[pos_])) current_ += text_[pos_++];
        return;  // otherwise the backslash is dropped and the next byte read as usual
      case kCR:
        if (angle_depth_ == 0 && (pre_ || textarea_)) {
          if (!current_.empty()) Emit();
          if (pre_) tokens_.emplace_back("<BR>");
        } else if (!current_.empty() && current_.back() != ' ') {
          current_ += ' ';
        }
        return;
      case kSpaceMark:
        if (current_.empty() || current_.back() != ' ' || pre_ || textarea_) current_ += ' ';
        return;
      case kTab:
        if (pre_ || textarea_) current_.append(8, ' ');
        return;
      case '"':
        quoted_ = true;
        current_ += '"';
        return;
      default: break;
    }
    if (c == ' ' && pos_ > 1 && !current_.empty() && current_.back() == ' ') return;
    current_ += c;
  }

  // PRE and TEXTAREA switch their modes; each skips a line break right after
  // its opening tag and drops the BR just before its closing tag.
  void AfterTag() {
    const std::string& tag = tokens_.back();
    if (!textarea_ && BeginsWith(tag, "<PRE")) {
      pre_ = true;
      SkipCR();
    } else if (!textarea_ && BeginsWith(tag, "</PRE")) {
      DropBRBeforeLast();
      pre_ = false;
    } else if (!pre_ && BeginsWith(tag, "<TEXTAREA")) {
      textarea_ = true;
      SkipCR();
    } else if (!pre_ && BeginsWith(tag, "</TEXTAREA")) {
      DropBRBeforeLast();
      textarea_ = false;
    }
  }
  void SkipCR() {
    if (pos_ < text_.size() && text_[pos_] == kCR) ++pos_;
  }
  void DropBRBeforeLast() {
    std::size_t n = tokens_.size();
    if (n >= 2 && sjis::SameText(tokens_[n - 2], "<BR>")) tokens_.erase(tokens_.end() - 2);
  }
  void Emit() {
    tokens_.push_back(std::move(current_));
    current_.clear();
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  std::vector<std::string> tokens_;
  std::string current_;
  int comment_depth_ = 0;
  int angle_depth_ = 0;
  bool quoted_ = false, pre_ = false, textarea_ = false;
};

}  // namespace

std::vector<std::string> SplitTokens(std::string_view text) { return TokenScanner(text).Run(); }

std::string JoinLines(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == kCR) {
      out += kCR;
      if (i + 1 < text.size() && text[i + 1] == kLF) ++i;
    } else if (text[i] == kLF) {
      out += kCR;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace rivo
