#pragma once

#include <QString>
#include <QStringList>
#include <initializer_list>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;

namespace tsubame {

class ResultLabel;
class TextBox;

// A control's rectangle in twips, relative to its parent.
struct TwipsBox {
  int left;
  int top;
  int width;
  int height;
};

// Controls as the windows are designed: a control name (objectName), a
// caption and a place in twips.
QGroupBox* MakeFrame(QWidget* parent, const char* name, const QString& caption, TwipsBox box);
QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, TwipsBox box,
                  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
TextBox* MakeTextBox(QWidget* parent, const char* name, TwipsBox box);
// A list the user picks from and cannot type into; nothing selected yet.
QComboBox* MakeDropDown(QWidget* parent, const char* name, const QStringList& items, TwipsBox box);
// A result label beside its caption (same parent), named and described by it.
ResultLabel* MakeResultLabel(QWidget* parent, const char* name, QLabel* caption, TwipsBox box);
QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, TwipsBox box);

// The caption beside a box names it, for the keyboard and screen readers.
void SetCaption(QLabel* label, QWidget* box);

// Tab moves through the controls in the order given.
void SetTabOrder(std::initializer_list<QWidget*> order);

}  // namespace tsubame
