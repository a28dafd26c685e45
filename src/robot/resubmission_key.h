// The secret that lets the sender of a call's first log replace it: given
// once, in the answer to that upload, and stored only as a hash, so that
// neither the database nor any page can give it away.
#pragma once

#include <string>

// 32 hex digits from the kernel's random bytes.
std::string NewResubmissionKey();

// A key as an entrant may type it back, without the blanks, dashes and
// capitals: as it was given.
std::string CleanResubmissionKey(const std::string& typed);

// The stored form of a key, of its clean form.
std::string ResubmissionKeyHash(const std::string& key);

// Whether `given` is the key of `keyHash`, in time that depends on neither.
bool ResubmissionKeyMatches(const std::string& keyHash, const std::string& given);
