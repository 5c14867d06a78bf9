#pragma once

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <memory>
#include <stdexcept>
#include <utility>

#include "common/ui/form.h"
#include "common/ui/schedule_grid.h"
#include "common/ui/text_box.h"
#include "depreciation/ui/frm_genka.h"
#include "loan/ui/frm_kariire.h"
#include "message_recorder.h"

// What the robustness tests share: a recorder that can fail, the controls by
// name, and the good run that shows a window still answers.
namespace robust {

using tsubame::Form;
using tsubame::TextBox;
using tsubame::test::kInvalidInput;
using tsubame::test::kProcessingError;
using Texts = QList<std::pair<QString, QString>>;

// "TxtKikan=1 TxtNenri=12": control names and texts, in order.
inline Texts Pairs(const QString& list) {
  Texts pairs;
  for (const QString& pair : list.split(u' ', Qt::SkipEmptyParts)) {
    pairs.append({pair.section(u'=', 0, 0), pair.section(u'=', 1)});
  }
  return pairs;
}

// Records every box. With throwOn000 the refusal's box fails to open, which
// sends the handler into its trap (the 020 is recorded). A box shown while
// another is still open counts as an overlap.
class Boxes : public tsubame::test::MessageRecorder {
 public:
  Boxes() {
    onShow = [this](const tsubame::MessageRequest& request) {
      overlaps += m_open++ > 0 ? 1 : 0;
      // An open box runs the event loop; user input stays blocked meanwhile.
      QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
      --m_open;
      if (throwOn000 && request.text.startsWith(kInvalidInput)) {
        throw std::runtime_error("box could not be shown");
      }
    };
  }
  bool throwOn000 = false;
  int overlaps = 0;

 private:
  int m_open = 0;
};

template <class T = TextBox>
T* Get(const QWidget* w, const QString& name) {
  T* control = w->findChild<T*>(name);
  if (control == nullptr) {
    qFatal("no control %s", qPrintable(name));
  }
  return control;
}

// What a window shows under `what`: the focus, the filled rows, row 1, the
// chosen method, the position, else a label's or a box's text.
inline QString Probe(const QWidget* w, const QString& what) {
  const auto* grid = w->findChild<tsubame::ScheduleGrid*>();
  const QWidget* focus = QApplication::focusWidget();
  if (what == u"focus") {
    return focus != nullptr ? focus->objectName() : QString();
  }
  if (what == u"rows") {
    return QString::number(grid->FilledRows());
  }
  if (what == u"row1") {
    QStringList cells;
    for (int c = 0; c < grid->Cols(); ++c) {
      cells << grid->TextAt(1, c);
    }
    return cells.join(u'|');
  }
  if (what == u"method") {
    return QString::number(w->findChild<QComboBox*>()->currentIndex());
  }
  if (what == u"pos") {
    return QStringLiteral("%1,%2").arg(w->x()).arg(w->y());
  }
  const auto* label = w->findChild<QLabel*>(what);
  return label != nullptr ? label->text() : Get(w, what)->text();
}

inline void Click(const QWidget* w, const QString& name) {
  QTest::mouseClick(Get<QWidget>(w, name), Qt::LeftButton);
}

// The box gets `text` (as pasted), then the Tab key enters and leaves it.
inline void Leave(const QWidget* w, const QString& name, const QString& text) {
  TextBox* box = Get(w, name);
  box->setText(text);
  box->setFocus(Qt::TabFocusReason);
  QTest::keyClick(box, Qt::Key_Tab);
}

inline void ShowActive(Form* w) {
  w->show();
  w->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(w));
}

inline std::unique_ptr<Form> Make(bool loan) {
  return loan ? std::unique_ptr<Form>(new FrmKariire) : std::unique_ptr<Form>(new FrmGenka);
}

// Inputs whose schedule is known, and its first row.
inline Texts GoodInputs(bool loan) {
  return Pairs(loan ? "TxtKingaku=1,200,000 TxtKikan=1 TxtNenri=12 TxtSueoki=0 "
                      "TxtDankaiKikan=0 TxtDankaiNenri=0"
                    : "TxtKingaku=1,000,000 TxtTaiyo=5");
}
inline QString GoodRow1(bool loan) {
  return loan ? "1|100,000|12,000|112,000|1,100,000" : "1|180,000|820,000";
}

// 実行 with the good inputs, then `changes` put over them once the focus
// waits on 実行, so that no box's check stands between them and the click.
inline void Run(Form* w, bool loan, const Texts& changes = {}) {
  for (const auto& [name, text] : GoodInputs(loan)) {
    Get(w, name)->setText(text);
  }
  Get<QWidget>(w, "CmdOK")->setFocus(Qt::TabFocusReason);
  for (const auto& [name, text] : changes) {
    Get(w, name)->setText(text);
  }
  w->findChild<QComboBox*>()->setCurrentIndex(0);  // after the life it reads
  Click(w, "CmdOK");
}

// The window still works: active again, a good run shows its first row and
// no box.
inline void CheckAnswers(Form* w, bool loan, Boxes& boxes) {
  w->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(w));
  boxes.throwOn000 = false;
  boxes.clear();
  Run(w, loan);
  QCOMPARE(Probe(w, "row1"), GoodRow1(loan));
  QCOMPARE(boxes.texts(), QStringList());
}

}  // namespace robust
