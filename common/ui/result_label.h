#pragma once

#include <QLabel>

namespace tsubame {

// A result label: right-aligned blue text on the system's window background
// colour, in a single-line border. Screen readers get both its caption (the
// accessible name, and a labelled-by relation to the caption label) and the
// figure it shows (the Text and Value interfaces); a new figure is announced.
class ResultLabel : public QLabel {
  Q_OBJECT

 public:
  // `caption` is the label beside it; both must share a parent.
  ResultLabel(QLabel* caption, QWidget* parent);

  // Shows `text` and announces the change. QLabel::setText would show it
  // without telling screen readers.
  void SetText(const QString& text);

  // The figure as a number (commas ignored); none for an empty or odd text.
  QVariant Value() const;
};

}  // namespace tsubame
