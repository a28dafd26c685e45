// The Cabrillo 3.0 log: the header texts, the file's base name and the QSO
// lines, and the exact bytes of the file they make.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/base/date_time.h"
#include "core/engine/state_lock.h"

// What the CONTEST line says.
extern const char* const kCabrilloContest;  // "DKZ"

struct CabrilloLog {
  std::string Callsign;  // own call: the CALLSIGN line and every QSO line
  std::string Name;
  std::string Address;
  std::string AddressCity;
  std::string AddressPostalCode;
  std::string AddressCountry;
  std::string Email;
  std::string Club;
  std::string Location;
  std::string Operators;  // file form once the header dialog is done
  std::string SoapBox;    // file form once the header dialog is done
  std::string CategoryOperator;
  std::string CategoryBand;           // written unless the operator category is "MULTI-OP"
  std::string CategoryTransmitter;    // written only for "MULTI-OP"
  std::string Contest;                // shown in the dialog; the file always says DKZ
  std::string Claimed;                // shown in the dialog; the file uses the summary's score
  std::string Power;                  // carried through the settings only
  std::string BaseName;               // file name without ".cbr"
  std::vector<std::string> QsoLines;  // each ends in CR LF

  // Formats one QSO line with the own call and appends it. Widths are
  // minimums: longer values shift the rest of the line rather than being cut.
  // A control character in a value is written as a blank.
  void AddQsoLine(const std::string& call, int32_t freqKhz, const std::string& mode,
                  const OleDateTime& time, const std::string& rstSent, const std::string& exchSent,
                  const std::string& rstRcvd, const std::string& exchRcvd);

  // The whole file. An empty `hostVersion` gives the CREATED-BY line of a
  // host whose version was not found. A control character in a header value
  // is written as a blank; Operators and SoapBox keep the line breaks of
  // their file form.
  std::string FileBytes(int32_t claimedScore, const std::string& hostVersion) const;

  std::string FileName() const { return BaseName + ".cbr"; }
};

// The file's base name from the own callsign: white space is trimmed, every
// character Windows forbids in a file name (/ \ < > : " | ? * and control
// characters) becomes "_", and an empty result is "VUNT".
std::string CabrilloBaseName(const std::string& ownCall);

// The host's version as CREATED-BY shows it: "2.19" for major version 2,
// "major.minor.build" otherwise.
std::string HostVersionText(unsigned major, unsigned minor, unsigned build);

// The one Cabrillo log of the plug-in, reachable only under the lock.
CabrilloLog& TheCabrilloLog(const LockHeld& held);
