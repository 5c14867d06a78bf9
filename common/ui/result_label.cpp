#include "common/ui/result_label.h"

#include <QAccessibleWidget>
#include <QPalette>

namespace tsubame {
namespace {

// The label's figure as text and as a value; the rest of a label's
// accessible behaviour (name, relations, role) is QAccessibleWidget's.
class ResultLabelAccessible : public QAccessibleWidget,
                              public QAccessibleTextInterface,
                              public QAccessibleValueInterface {
 public:
  explicit ResultLabelAccessible(ResultLabel* label)
      : QAccessibleWidget(label, QAccessible::StaticText) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) {
      return static_cast<QAccessibleTextInterface*>(this);
    }
    if (type == QAccessible::ValueInterface) {
      return static_cast<QAccessibleValueInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
  }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) {
      return Figure();
    }
    return QAccessibleWidget::text(t);
  }

  // Text: the figure, read only, without a caret or a selection.
  QString text(int start, int end) const override { return Figure().mid(start, end - start); }
  int characterCount() const override { return static_cast<int>(Figure().size()); }
  void selection(int, int* start, int* end) const override { *start = *end = 0; }
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  void scrollToSubstring(int, int) override {}
  QString attributes(int offset, int* start, int* end) const override {
    *start = offset;
    *end = offset;
    return {};
  }

  QRect characterRect(int offset) const override {
    const QString figure = Figure();
    if (offset < 0 || offset >= figure.size()) {
      return {};
    }
    const QFontMetrics metrics = Label()->fontMetrics();
    const QRect box = Label()->contentsRect();
    const int left = TextLeft() + metrics.horizontalAdvance(figure.left(offset));
    const QRect glyph(left, box.top() + (box.height() - metrics.height()) / 2,
                      metrics.horizontalAdvance(figure.at(offset)), metrics.height());
    return QRect(Label()->mapToGlobal(glyph.topLeft()), glyph.size());
  }

  int offsetAtPoint(const QPoint& point) const override {
    for (int i = 0; i < characterCount(); ++i) {
      if (characterRect(i).contains(point)) {
        return i;
      }
    }
    return -1;
  }

  // Value: the figure as a number, read only.
  QVariant currentValue() const override { return Label()->Value(); }
  void setCurrentValue(const QVariant&) override {}
  QVariant maximumValue() const override { return currentValue(); }
  QVariant minimumValue() const override { return currentValue(); }
  QVariant minimumStepSize() const override { return {}; }

 private:
  const ResultLabel* Label() const { return static_cast<const ResultLabel*>(widget()); }
  QString Figure() const { return Label()->text(); }
  int TextLeft() const {
    // Right-aligned, as the label draws it.
    const QRect box = Label()->contentsRect();
    return box.right() + 1 - Label()->margin() - Label()->indent() -
           Label()->fontMetrics().horizontalAdvance(Figure());
  }
};

QAccessibleInterface* MakeAccessible(const QString&, QObject* object) {
  if (auto* label = qobject_cast<ResultLabel*>(object)) {
    return new ResultLabelAccessible(label);
  }
  return nullptr;
}

}  // namespace

ResultLabel::ResultLabel(QLabel* caption, QWidget* parent) : QLabel(parent) {
  static const bool factory_installed = [] {
    QAccessible::installFactory(MakeAccessible);
    return true;
  }();
  (void)factory_installed;
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  setFrameShape(QFrame::Box);
  setFrameShadow(QFrame::Plain);
  setLineWidth(1);
  setAutoFillBackground(true);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, colours.color(QPalette::Base));
  colours.setColor(QPalette::WindowText, Qt::blue);
  setPalette(colours);
  // The caption names the figure: as its name and as the label that labels it.
  setAccessibleName(caption->text());
  caption->setBuddy(this);
}

void ResultLabel::SetText(const QString& text) {
  const QString old = QLabel::text();
  setText(text);
  if (old == text) {
    return;
  }
  QAccessibleTextUpdateEvent changed(this, 0, old, text);
  QAccessible::updateAccessibility(&changed);
  QAccessibleValueChangeEvent value(this, Value());
  QAccessible::updateAccessibility(&value);
}

QVariant ResultLabel::Value() const {
  QString digits = text();
  digits.remove(u',');
  bool ok = false;
  const double value = digits.toDouble(&ok);
  return ok ? QVariant(value) : QVariant();
}

}  // namespace tsubame
