#pragma once

#include <initializer_list>

class QLineEdit;

namespace tsubame {
class TextBox;
}

// The numeric entry-field procedures, applied to a real text box.
namespace MdlCommon {

// Selects the whole text, so typing replaces it.
void SelectAllText(QLineEdit* box);

// Each box's GotFocus selects its whole text: every number box does that.
void SelectAllOnFocus(std::initializer_list<tsubame::TextBox*> boxes);

// On leaving: fills an empty box, or refuses a non-numeric text (and a zero
// term) with message 000 and takes the focus back. Returns whether valid.
bool ValidateNumericField(tsubame::TextBox* box);

// On every key release in an amount box: regroups the digits with commas,
// refuses non-numeric input, and puts the caret at the end.
void GroupThousands(QLineEdit* box);

// Message 000, then the focus back into `box`: how every refusal ends.
void RefuseInput(tsubame::TextBox* box);

}  // namespace MdlCommon
