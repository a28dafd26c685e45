#include "files/made_files.h"

#include <algorithm>

#include "core/base/text.h"

namespace {

char Folded(char c) {
  if (c == '/')
    return '\\';
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return Folded(x) == Folded(y); });
}

}  // namespace

MadeFiles MadeFiles::Parse(const std::string& text) {
  MadeFiles record;
  for (const std::string& name : SplitLines(text)) {
    if (!name.empty())
      record.Update(name, true);
  }
  return record;
}

std::string MadeFiles::Text() const {
  std::string text;
  for (const std::string& name : names_)
    text += name + "\r\n";
  return text;
}

bool MadeFiles::Holds(const std::string& name) const {
  return std::any_of(names_.begin(), names_.end(),
                     [&](const std::string& held) { return SameName(held, name); });
}

void MadeFiles::Update(const std::string& name, bool exists) {
  names_.erase(std::remove_if(names_.begin(), names_.end(),
                              [&](const std::string& held) { return SameName(held, name); }),
               names_.end());
  if (exists)
    names_.push_back(name);
}

std::string NameInFolder(const std::string& folder, const std::string& path) {
  std::string prefix = folder;
  if (!prefix.empty() && prefix.back() != '\\' && prefix.back() != '/')
    prefix += '\\';
  if (path.size() > prefix.size() && SameName(path.substr(0, prefix.size()), prefix))
    return path.substr(prefix.size());
  return path;
}

std::vector<std::string> NotMadeByUs(const MadeFiles& record, const std::string& folder,
                                     const std::vector<std::string>& paths,
                                     const std::function<bool(const std::string&)>& isFile) {
  std::vector<std::string> others;
  for (const std::string& path : paths) {
    if (isFile(path) && !record.Holds(NameInFolder(folder, path)))
      others.push_back(path);
  }
  return others;
}
