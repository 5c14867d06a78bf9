#include <QAccessible>
#include <QTest>

#include "common/ui/text_box.h"
#include "depreciation/ui/frm_genka.h"
#include "loan/ui/frm_kariire.h"
#include "message_recorder.h"
#include "shell/frm_menu.h"
#include "ui_test_main.h"

namespace {

// Every accessibility event of a label, as "TextUpdated:<new text>" or
// "ValueChanged:<value>".
QStringList g_events;
QObject* g_watched = nullptr;

void RecordEvent(QAccessibleEvent* event) {
  if (event->object() != g_watched) {
    return;
  }
  if (event->type() == QAccessible::TextUpdated) {
    g_events << "TextUpdated:" + static_cast<QAccessibleTextUpdateEvent*>(event)->textInserted();
  } else if (event->type() == QAccessible::ValueChanged) {
    g_events << "ValueChanged:" +
                    static_cast<QAccessibleValueChangeEvent*>(event)->value().toString();
  }
}

}  // namespace

// No message recorder: a box shown here is a failure (see ArmModalWatchdog).
class AccessibleNamesTest : public QObject {
  Q_OBJECT

 private slots:
  // What a screen reader says for every control a user works with, and for
  // the cells of a schedule, headings included.
  void everyControlAndCellHasItsName() {
    FrmKariire kariire;
    FrmGenka genka;
    FrmMenu menu;
    const std::pair<QWidget*, QStringList> windows[] = {
        {&kariire,
         {"TxtKingaku=借入金額", "CmbHensai=返済方法", "TxtKikan=期間", "TxtNenri=年利",
          "TxtSueoki=据置", "TxtDankaiKikan=段階金利の期間", "TxtDankaiNenri=段階金利の年利",
          "CmdOK=実行", "CmdBack=戻る", "GrdPreview=返済結果", "LblShiharaiOut=支払い金額の合計",
          "LblRisokuOut=利息の合計"}},
        {&genka,
         {"TxtKingaku=金額", "CmbShokyaku=償却法", "TxtTaiyo=耐用年数", "LblRitsuOut=償却率",
          "CmdOK=実行", "CmdBack=戻る", "GrdPreview=償却結果"}},
        {&menu, {"CmdKariire=借入金", "CmdGenka=減価償却", "CmdEnd=終了"}},
    };
    for (const auto& [window, rows] : windows) {
      QStringList heard;
      for (const QString& row : rows) {
        const QString control = row.section('=', 0, 0);
        auto* i = QAccessible::queryAccessibleInterface(window->findChild<QWidget*>(control));
        // A list says its current entry: the caption that labels it names it.
        auto* named = i && i->role() == QAccessible::ComboBox
                          ? i->relations(QAccessible::Label).value(0).first
                          : i;
        heard << control + '=' + (named ? named->text(QAccessible::Name) : QString());
      }
      QCOMPARE(heard, rows);
    }

    genka.findChild<QWidget*>("TxtKingaku")->setProperty("text", "1000000");
    genka.findChild<QWidget*>("TxtTaiyo")->setProperty("text", "5");
    QTest::mouseClick(genka.findChild<QWidget*>("CmdOK"), Qt::LeftButton);
    auto* grid = QAccessible::queryAccessibleInterface(genka.findChild<QWidget*>("GrdPreview"));
    QAccessibleTableInterface* t = grid ? grid->tableInterface() : nullptr;
    QVERIFY(t != nullptr);
    QStringList headings;
    // NOLINTNEXTLINE(clang-analyzer-core.CallAndMessage): QVERIFY returned if grid is null
    for (int c = 0; c < grid->childCount(); ++c) {
      if (grid->child(c)->role() == QAccessible::ColumnHeader) {
        headings << grid->child(c)->text(QAccessible::Name);
      }
    }
    QCOMPARE((QStringList{QString::number(t->rowCount()), t->columnDescription(1),
                          headings.join('|'), t->cellAt(0, 1)->text(QAccessible::Name),
                          t->cellAt(5, 2)->text(QAccessible::Name)}),
             (QStringList{"299", "減価償却費    ", "年数|減価償却費    |現存価格      ", "180,000",
                          "50,000"}));
  }

  // A result label says its caption (name, label relation) and its figure
  // (Text, Value) and announces each new figure; a failed run announces nothing.
  void resultLabelsSayCaptionAndFigure_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<QStringList>("runs");  // "box=text ...", each then run
    QTest::addColumn<QString>("heard");     // name|caption|text|value|number|events|boxes
    // The totals of a good run are read through AT-SPI (atspi_check.py).
    QTest::newRow("failed run keeps the totals")
        << "LblRisokuOut" << QStringList{"TxtKingaku=1,200,000 TxtNenri=12", "TxtKikan=38"}
        << "利息の合計|LblRisoku|78,000|78,000|78000||1";
    QTest::newRow("rate")
        << "LblRitsuOut" << QStringList{"TxtTaiyo=5"}
        << "償却率|LblRitsu|0.180|0.180|0.18|TextUpdated:0.180 ValueChanged:0.18|0";
  }
  void resultLabelsSayCaptionAndFigure() {
    QFETCH(QString, label);
    QFETCH(QStringList, runs);
    QFETCH(QString, heard);
    tsubame::test::MessageRecorder messages;
    std::unique_ptr<QWidget> w(label == "LblRitsuOut" ? static_cast<QWidget*>(new FrmGenka)
                                                      : new FrmKariire);
    g_watched = w->findChild<QWidget*>(label);
    QTRY_VERIFY(QAccessible::isActive());
    for (const QString& run : runs) {
      g_events.clear();
      QAccessible::installUpdateHandler(RecordEvent);
      for (const QString& input : run.split(' ')) {
        w->findChild<tsubame::TextBox*>(input.section('=', 0, 0))->setText(input.section('=', 1));
      }
      if (auto* life = w->findChild<tsubame::TextBox*>("TxtTaiyo")) {
        emit life->LostFocus();  // the rate follows the life on leaving it
      } else {
        QTest::mouseClick(w->findChild<QWidget*>("CmdOK"), Qt::LeftButton);
      }
      QAccessible::installUpdateHandler(nullptr);
    }
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(g_watched);
    QVERIFY(i && i->textInterface() && i->valueInterface());
    QString caption;  // among the labelling ones: a frame labels its controls too
    for (const auto& [other, relation] : i->relations(QAccessible::Label)) {
      if (other->object()->objectName() + "Out" == label) {
        caption = other->object()->objectName();
      }
    }
    QCOMPARE((QStringList{i->text(QAccessible::Name), caption,
                          i->textInterface()->text(0, i->textInterface()->characterCount()),
                          i->text(QAccessible::Value),
                          QString::number(i->valueInterface()->currentValue().toDouble(), 'g', 15),
                          g_events.join(' '), QString::number(messages.texts().size())})
                 .join('|'),
             heard);
  }
};

TSUBAME_UI_TEST_MAIN(AccessibleNamesTest)
#include "accessible_names_test.moc"
