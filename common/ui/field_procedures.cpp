#include "common/ui/field_procedures.h"

#include <QString>

#include "common/core/coded_message.h"
#include "common/core/field_rules.h"
#include "common/ui/message_box.h"
#include "common/ui/text_box.h"
#include "common/ui/trap.h"

namespace MdlCommon {

void SelectAllText(QLineEdit* box) { box->setSelection(0, static_cast<int>(box->text().size())); }

void SelectAllOnFocus(std::initializer_list<tsubame::TextBox*> boxes) {
  for (tsubame::TextBox* box : boxes) {
    QObject::connect(box, &tsubame::TextBox::GotFocus, box,
                     [box] { tsubame::Trap([box] { SelectAllText(box); }); });
  }
}

void RefuseInput(tsubame::TextBox* box) {
  ShowMessage(QString(), QString(), MsgInvalidInput);
  box->TakeFocusBack();
}

bool ValidateNumericField(tsubame::TextBox* box) {
  const tsubame::FieldCheckResult result = tsubame::ValidateNumericFieldOutcome(
      box->objectName().toStdU16String(), box->text().toStdU16String());
  switch (result.outcome) {
    case tsubame::FieldCheck::kFilled:
      box->setText(QString::fromStdU16String(result.text));
      return true;
    case tsubame::FieldCheck::kRefused:
      RefuseInput(box);
      return false;
    case tsubame::FieldCheck::kAccepted:
      break;
  }
  return true;
}

void GroupThousands(QLineEdit* box) {
  const tsubame::GroupedText result = tsubame::GroupThousandsText(box->text().toStdU16String());
  if (result.refused) {
    ShowMessage(QString(), QString(), MsgInvalidInput);
  }
  const QString text = QString::fromStdU16String(result.text);
  if (text != box->text()) {
    box->setText(text);
  }
  box->setCursorPosition(static_cast<int>(text.size()));
}

}  // namespace MdlCommon
