#include "common/ui/controls.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "common/ui/fonts.h"
#include "common/ui/result_label.h"
#include "common/ui/text_box.h"
#include "common/ui/twips.h"

namespace tsubame {
namespace {

template <class W>
W* Named(W* widget, const char* name, TwipsBox box) {
  widget->setObjectName(QString::fromLatin1(name));
  PlaceTwips(widget, box.left, box.top, box.width, box.height);
  return widget;
}

}  // namespace

QGroupBox* MakeFrame(QWidget* parent, const char* name, const QString& caption, TwipsBox box) {
  return Named(new QGroupBox(caption, parent), name, box);
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, TwipsBox box,
                  Qt::Alignment alignment) {
  QLabel* label = Named(new QLabel(caption, parent), name, box);
  label->setAlignment(alignment);
  return label;
}

TextBox* MakeTextBox(QWidget* parent, const char* name, TwipsBox box) {
  TextBox* text = Named(new TextBox(parent), name, box);
  return text;
}

QComboBox* MakeDropDown(QWidget* parent, const char* name, const QStringList& items, TwipsBox box) {
  QComboBox* combo = Named(new QComboBox(parent), name, box);
  combo->setEditable(false);
  combo->addItems(items);
  combo->setCurrentIndex(-1);
  return combo;
}

ResultLabel* MakeResultLabel(QWidget* parent, const char* name, QLabel* caption, TwipsBox box) {
  return Named(new ResultLabel(caption, parent), name, box);
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, TwipsBox box) {
  QPushButton* button = Named(new QPushButton(caption, parent), name, box);
  button->setAutoDefault(true);  // Enter clicks the focused button
  return button;
}

void SetCaption(QLabel* label, QWidget* box) {
  label->setBuddy(box);
  // Grids take no name from a buddy caption; a list's name is its current
  // entry, its caption reaching screen readers as its label.
  box->setAccessibleName(label->text());
}

void SetTabOrder(std::initializer_list<QWidget*> order) {
  QWidget* const* w = order.begin();
  for (std::size_t i = 1; i < order.size(); ++i) {
    QWidget::setTabOrder(w[i - 1], w[i]);
  }
}

}  // namespace tsubame
