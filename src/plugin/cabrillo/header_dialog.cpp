#include "plugin/cabrillo/header_dialog.h"

#include "core/cabrillo/header_boxes.h"
#include "plugin/resources/resource_ids.h"

CabrilloHeaderDialog::CabrilloHeaderDialog(CabrilloLog& log)
    : DialogBase(IDD_CABRILLO), log_(log) {}

void CabrilloHeaderDialog::ExchangeFields(DataExchange& exchange) {
  for (const HeaderBox& box : kHeaderBoxes) {
    std::string& text = log_.*box.Member;
    std::string discarded = text;
    switch (box.Kind) {
      case HeaderBoxKind::kEdit:
        exchange.EditText(box.ControlId, text);
        break;
      case HeaderBoxKind::kCombo:
        exchange.ComboText(box.ControlId, text);
        break;
      case HeaderBoxKind::kShownOnly:
        exchange.EditText(box.ControlId, discarded);
        break;
    }
  }
}
