#pragma once

#include <string>
#include <string_view>

// The decisions inside the numeric entry-field procedures, free of any
// widget: the window part applies them to a real text box.
namespace tsubame {

enum class FieldCheck {
  kFilled,    // the box was empty: it gets `text`, and is valid
  kRefused,   // message 000, the focus goes back, the text stays as typed
  kAccepted,  // valid, the text stays as it is
};

struct FieldCheckResult {
  FieldCheck outcome;
  std::u16string text;  // the fill-in text for kFilled
};

// The term box (control name exactly "TxtKikan") defaults to "1" and refuses 0.
FieldCheckResult ValidateNumericFieldOutcome(std::u16string_view control_name,
                                             std::u16string_view text);

struct GroupedText {
  bool refused;         // show message 000 before putting `text` in the box
  std::u16string text;  // the box's new text; the caret goes to its end
};

// The amount box's regrouping after a key release: 1234567 -> 1,234,567.
// A non-numeric text loses its last character. The sign stays out of the
// grouping; a text without a point is rewritten as its plain decimal text
// (1e5 -> 100,000). Left as typed: an empty integer part (.5), integer parts
// of 10^15 and more, values whose plain text is in exponent form (1e-5) or
// would lose digits (more than 15 significant ones).
// At most 20 characters after the point are kept.
GroupedText GroupThousandsText(std::u16string_view text);

}  // namespace tsubame
