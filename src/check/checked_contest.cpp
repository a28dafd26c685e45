#include "checked_contest.h"

const char* ReceiptStatusName(ReceiptStatus status) {
  switch (status) {
    case ReceiptStatus::kChecked:
      return "checked";
    case ReceiptStatus::kChecklog:
      return "checklog";
    case ReceiptStatus::kNotScored:
      return "not_scored";
    case ReceiptStatus::kRejected:
      return "rejected";
    case ReceiptStatus::kSuperseded:
      return "superseded";
  }
  return "?";
}
