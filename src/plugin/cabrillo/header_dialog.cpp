#include "plugin/cabrillo/header_dialog.h"

#include "core/cabrillo/cabrillo_fields.h"
#include "plugin/resources/resource_ids.h"

Cabrillo::Cabrillo(CabrilloLog& log) : DialogBase(IDD_CABRILLO), log_(log) {}

void Cabrillo::DoDataExchange(DataExchange& exchange) {
  for (const CabrilloField& field : CabrilloFields()) {
    std::string& text = log_.*field.Member;
    std::string discarded = text;
    switch (field.Box) {
      case HeaderBox::kEdit:
        exchange.Text(field.ControlId, text);
        break;
      case HeaderBox::kCombo:
        exchange.ComboText(field.ControlId, text);
        break;
      case HeaderBox::kShownOnly:
        exchange.Text(field.ControlId, discarded);
        break;
      case HeaderBox::kNone:
        break;
    }
  }
}
