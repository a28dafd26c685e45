// One scoring pass as bytes, for a worker process that scores with its own
// loaded Stats.dll: the request (the reset and the QSOs) and the answer (the
// summary and what was stored). Lengths are counted, never delimited: calls
// and texts may hold any byte.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "core/engine/host_input.h"

struct ScoringRequest {
  ResetInput Reset;
  std::vector<QsoInput> Qsos;
  bool WantStored = false;
};

struct ScoringAnswer {
  std::string Summary;
  std::vector<bool> Stored;  // empty unless asked for
};

// A message that does not read as one whole.
class WireError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::string EncodeRequest(const ScoringRequest& request);
ScoringRequest DecodeRequest(const std::string& bytes);  // throws WireError
std::string EncodeAnswer(const ScoringAnswer& answer);
ScoringAnswer DecodeAnswer(const std::string& bytes);  // throws WireError

// A message goes as its length (4 bytes) then its bytes.
std::string Framed(const std::string& message);
