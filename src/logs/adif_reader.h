// Reads the ADIF 3 tagged text format (.adi): an optional header ended by
// <EOH>, then records of <NAME:LENGTH[:TYPE]>data fields, each ended by <EOR>.
#pragma once

#include <string>
#include <vector>

struct AdifField {
  std::string Name;  // upper case
  std::string Value;
};

struct AdifRecord {
  int Number = 0;  // 1-based position in the file, counting unreadable records too
  int Line = 0;    // line of its first tag
  std::vector<AdifField> Fields;

  // The value of a field by upper-case name; null when absent.
  const std::string* Find(const char* name) const;
};

struct AdifProblem {
  int Number = 0;  // record number
  int Line = 0;
  std::string Message;
};

struct AdifFile {
  std::vector<AdifRecord> Records;    // the readable records, in file order
  std::vector<AdifProblem> Problems;  // one per record left out
};

// Throws InputError (naming `fileName`) when the file has a header that is
// not ended by <EOH>. Every other fault costs only the record it is in.
AdifFile ParseAdi(const std::string& text, const std::string& fileName);
