#include "adif_reader.h"

#include <algorithm>
#include <cctype>

#include "log_qso.h"
#include "log_values.h"

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

// Reads a tag at `pos` (which holds '<'); false when it is not well formed.
bool ReadTag(const std::string& text, size_t pos, Tag& tag) {
  size_t close = text.find('>', pos + 1);
  if (close == std::string::npos)
    return false;
  std::string inside = text.substr(pos + 1, close - pos - 1);
  size_t colon = inside.find(':');
  std::string name = inside.substr(0, colon);
  if (name.empty() || !std::all_of(name.begin(), name.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
      }))
    return false;
  tag = Tag();
  tag.Name = ToUpper(name);
  tag.End = close + 1;
  if (colon == std::string::npos)
    return tag.Name == "EOH" || tag.Name == "EOR";
  std::string rest = inside.substr(colon + 1);
  std::string length = rest.substr(0, rest.find(':'));
  if (length.empty() || length.size() > 7 ||
      !std::all_of(length.begin(), length.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return false;
  tag.HasLength = true;
  tag.Length = std::stoul(length);
  return tag.Length <= kMaxLength;
}

// Finds the next "<EOR>" at or after `pos`, any case; npos when none.
size_t FindEndOfRecord(const std::string& text, size_t pos) {
  for (size_t at = text.find('<', pos); at != std::string::npos; at = text.find('<', at + 1)) {
    if (at + 5 <= text.size() && EqualsIgnoreCase(text.substr(at, 5), "<EOR>"))
      return at;
  }
  return std::string::npos;
}

class Parser {
 public:
  Parser(const std::string& text, const std::string& fileName) : text_(text), fileName_(fileName) {
    for (size_t i = 0; i < text_.size(); ++i) {
      if (text_[i] == '\n')
        lineStarts_.push_back(i + 1);
    }
  }

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
  int LineAt(size_t pos) const {
    return static_cast<int>(std::upper_bound(lineStarts_.begin(), lineStarts_.end(), pos) -
                            lineStarts_.begin());
  }

  // A header is any text before the first tag, or tags up to <EOH>.
  size_t SkipHeader() {
    size_t start = text_.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
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
      current_.Number = ++recordCount_;
      current_.Line = LineAt(pos);
    }
    Tag tag;
    if (!ReadTag(text_, pos, tag)) {
      size_t close = text_.find('>', pos);
      std::string shown = text_.substr(
          pos, std::min<size_t>(close == std::string::npos ? 20 : close - pos + 1, 40));
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
    if (tag.End + tag.Length > text_.size()) {
      Fail("field " + tag.Name + " has length " + std::to_string(tag.Length) +
           ", which runs past the end of the file");
      return text_.size();
    }
    // A length that is too long swallows the next tag: find that tag.
    Tag inner;
    for (size_t at = text_.find('<', tag.End); at < tag.End + tag.Length;
         at = text_.find('<', at + 1)) {
      if (ReadTag(text_, at, inner)) {
        return Resync(at, "field " + tag.Name + " has length " + std::to_string(tag.Length) +
                              ", which runs into the next tag on line " +
                              std::to_string(LineAt(at)));
      }
    }
    if (current_.Find(tag.Name.c_str()) != nullptr) {
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
  std::vector<size_t> lineStarts_{0};
  AdifFile file_;
  AdifRecord current_;
  int recordCount_ = 0;
};

}  // namespace

AdifFile ParseAdi(const std::string& text, const std::string& fileName) {
  return Parser(text, fileName).Run();
}
