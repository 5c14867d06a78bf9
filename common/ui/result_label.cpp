#include "common/ui/result_label.h"

#include <QLabel>
#include <QPalette>

namespace tsubame {

void StyleResultLabel(QLabel* label) {
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label->setFrameShape(QFrame::Box);
  label->setFrameShadow(QFrame::Plain);
  label->setLineWidth(1);
  label->setAutoFillBackground(true);
  QPalette palette = label->palette();
  palette.setColor(QPalette::Window, palette.color(QPalette::Base));
  palette.setColor(QPalette::WindowText, Qt::blue);
  label->setPalette(palette);
}

}  // namespace tsubame
