#include "logs/adif_reader.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <unordered_set>

#include "logs/log_qso.h"
#include "logs/log_values.h"

const std::string* AdifRecord::Find(const char* name) const {
  for (const AdifField& field : Fields) {
    if (field.Name == name)
      return &field.Value;
  }
  return nullptr;
}

namespace {

// One data specifier "<NAME:LENGTH[:TYPE]>" or a bare "<EOH>"/"<EOR>".
struct Tag {
  std::string Name;  // upper case
  bool HasLength = false;
  size_t Length = 0;
  size_t End = 0;  // just past '>'
};

const size_t kMaxLength = 1 << 20;  // no honest field is a megabyte long

bool IsNameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Reads a tag at `pos` (which holds '<'); false when it is not well formed.
// It looks only as far as the first character that cannot belong to a tag,
// so that text full of '<' is read in linear time.
bool ReadTag(const std::string& text, size_t pos, Tag& tag) {
  size_t at = pos + 1;
  while (at < text.size() && IsNameChar(text[at]))
    ++at;
  if (at == pos + 1 || at == text.size())
    return false;
  tag = Tag();
  tag.Name = ToUpper(text.substr(pos + 1, at - pos - 1));
  if (text[at] == '>') {
    tag.End = at + 1;
    return tag.Name == "EOH" || tag.Name == "EOR";
  }
  if (text[at] != ':')
    return false;
  size_t digits = ++at;
  while (at < text.size() && at - digits < 8 && IsDigit(text[at]))
    ++at;
  if (at == digits || at - digits > 7 || at == text.size())
    return false;
  tag.HasLength = true;
  tag.Length = std::stoul(text.substr(digits, at - digits));
  if (text[at] == ':') {  // the data type, which we do not need
    while (++at < text.size() && text[at] != '>' && text[at] != '<')
      ;
  }
  if (at == text.size() || text[at] != '>')
    return false;
  tag.End = at + 1;
  return tag.Length <= kMaxLength;
}

// Finds the next "<EOR>" at or after `pos`, any case; npos when none.
size_t FindEndOfRecord(const std::string& text, size_t pos) {
  const std::string eor = "<EOR>";
  for (size_t at = text.find('<', pos); at != std::string::npos; at = text.find('<', at + 1)) {
    if (text.size() - at >= eor.size() &&
        std::equal(eor.begin(), eor.end(), text.begin() + static_cast<std::ptrdiff_t>(at),
                   [](char a, char b) { return a == std::toupper(static_cast<unsigned char>(b)); }))
      return at;
  }
  return std::string::npos;
}

class Parser {
 public:
  Parser(const std::string& text, const std::string& fileName) : text_(text), fileName_(fileName) {}

  AdifFile Run() {
    size_t pos = SkipHeader();
    while ((pos = text_.find('<', pos)) != std::string::npos)
      pos = ReadField(pos);
    if (!current_.Fields.empty()) {
      Fail("no <EOR> after its last field at the end of the file");
    }
    return std::move(file_);
  }

 private:
  // Lines are counted on from the last position asked about, which moves
  // forward as the file is read.
  int LineAt(size_t pos) {
    if (pos < linePos_) {
      linePos_ = 0;
      line_ = 1;
    }
    auto from = text_.begin() + static_cast<std::ptrdiff_t>(linePos_);
    line_ += static_cast<int>(
        std::count(from, from + static_cast<std::ptrdiff_t>(pos - linePos_), '\n'));
    linePos_ = pos;
    return line_;
  }

  // A header is any text before the first tag, or tags up to <EOH>.
  size_t SkipHeader() {
    size_t start = TextStart(text_);
    size_t pos = start;
    while (pos < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos])))
      ++pos;
    bool freeText = pos < text_.size() && text_[pos] != '<';
    Tag tag;
    for (size_t at = text_.find('<', pos); at != std::string::npos; at = text_.find('<', at + 1)) {
      if (!ReadTag(text_, at, tag))
        continue;
      if (tag.Name == "EOH")
        return tag.End;
      if (tag.Name == "EOR" && !freeText)
        return start;  // the file starts with a record: no header
      if (tag.HasLength)
        at = std::min(tag.End + tag.Length, text_.size()) - 1;
    }
    if (freeText)
      throw InputError(fileName_ + ": the header that starts on line " +
                       std::to_string(LineAt(pos)) + " is not ended by <EOH>");
    return start;
  }

  size_t ReadField(size_t pos) {
    // LoTW ends its reports with this bare tag: the end of the data, no record.
    static const std::string kLotwEnd = "<APP_LOTW_EOF>";
    if (EqualsIgnoreCase(text_.substr(pos, kLotwEnd.size()), kLotwEnd))
      return pos + kLotwEnd.size();
    if (current_.Fields.empty()) {
      names_.clear();
      current_.Number = ++recordCount_;
      current_.Line = LineAt(pos);
    }
    Tag tag;
    if (!ReadTag(text_, pos, tag)) {
      std::string shown = text_.substr(pos, 40);
      size_t close = shown.find('>');
      shown.resize(close == std::string::npos ? std::min<size_t>(shown.size(), 20) : close + 1);
      return Resync(pos + 1,
                    "unreadable tag '" + shown + "' on line " + std::to_string(LineAt(pos)));
    }
    if (tag.Name == "EOR") {
      if (current_.Fields.empty())
        --recordCount_;  // an empty record is no record
      else
        file_.Records.push_back(std::move(current_));
      current_ = AdifRecord();
      return tag.End;
    }
    if (tag.Name == "EOH")
      return EndOfAnotherHeader(pos, tag.End);
    // A length that is too long swallows the next tag: the record ends at
    // the <EOR> after that tag, and the records after it are read.
    std::string tooLong = "field " + tag.Name + " has length " + std::to_string(tag.Length);
    bool pastEnd = tag.End + tag.Length > text_.size();
    Tag inner;
    for (size_t at = text_.find('<', tag.End); at < tag.End + tag.Length;
         at = text_.find('<', at + 1)) {
      if (ReadTag(text_, at, inner)) {
        return Resync(at, tooLong + (pastEnd ? ", which runs past the end of the file"
                                             : ", which runs into the next tag on line " +
                                                   std::to_string(LineAt(at))));
      }
    }
    if (pastEnd) {
      Fail(tooLong + ", which runs past the end of the file");
      return text_.size();
    }
    if (!names_.insert(tag.Name).second) {
      // Two QSOs ran together: skip both rather than guess where one ends.
      return Resync(pos, "field " + tag.Name + " appears twice (line " +
                             std::to_string(LineAt(pos)) + "): is an <EOR> missing?");
    }
    current_.Fields.push_back({tag.Name, text_.substr(tag.End, tag.Length)});
    return tag.End + tag.Length;
  }

  // Files joined into one repeat their header: the fields since the last
  // <EOR> were header fields, unless a QSO lost its <EOR>.
  size_t EndOfAnotherHeader(size_t pos, size_t end) {
    if (current_.Find("CALL") != nullptr) {
      Fail("no <EOR> before the <EOH> on line " + std::to_string(LineAt(pos)));
    } else {
      --recordCount_;  // header fields are no record
      current_ = AdifRecord();
    }
    return end;
  }

  // Reports the current record and goes on after its <EOR>.
  size_t Resync(size_t from, const std::string& message) {
    Fail(message);
    size_t end = FindEndOfRecord(text_, from);
    return end == std::string::npos ? text_.size() : end + 5;
  }

  void Fail(const std::string& message) {
    file_.Problems.push_back({current_.Number, current_.Line, message});
    current_ = AdifRecord();
  }

  const std::string& text_;
  const std::string& fileName_;
  size_t linePos_ = 0;
  int line_ = 1;
  std::unordered_set<std::string> names_;  // of the current record
  AdifFile file_;
  AdifRecord current_;
  int recordCount_ = 0;
};

}  // namespace

AdifFile ParseAdi(const std::string& text, const std::string& fileName) {
  return Parser(text, fileName).Run();
}
