#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QTest>
#include <functional>
#include <memory>

#include "common/ui/schedule_grid.h"
#include "depreciation/ui/frm_genka.h"
#include "loan/ui/frm_kariire.h"
#include "message_recorder.h"
#include "shell/frm_menu.h"
#include "ui_test_main.h"

namespace {

// The name a screen reader gives the control: its own, or for a list (whose
// name is its current entry) the caption that labels it.
QString AccessibleName(QWidget* widget) {
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
  if (iface == nullptr) {
    return {};
  }
  if (iface->role() == QAccessible::ComboBox) {
    const auto labels = iface->relations(QAccessible::Label);
    return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
  }
  return iface->text(QAccessible::Name);
}

std::unique_ptr<QWidget> MakeWindow(const QString& kind) {
  if (kind == "FrmKariire") {
    return std::make_unique<FrmKariire>();
  }
  if (kind == "FrmGenka") {
    return std::make_unique<FrmGenka>();
  }
  return std::make_unique<FrmMenu>();
}

}  // namespace

class AccessibleNamesTest : public QObject {
  Q_OBJECT

 private slots:
  // What a screen reader says for every control a user works with.
  void everyControlHasItsName_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    const struct {
      const char* window;
      const char* control;
      const char* name;
    } rows[] = {
        {"FrmKariire", "TxtKingaku", "借入金額"},
        {"FrmKariire", "CmbHensai", "返済方法"},
        {"FrmKariire", "TxtKikan", "期間"},
        {"FrmKariire", "TxtNenri", "年利"},
        {"FrmKariire", "TxtSueoki", "据置"},
        {"FrmKariire", "TxtDankaiKikan", "段階金利の期間"},
        {"FrmKariire", "TxtDankaiNenri", "段階金利の年利"},
        {"FrmKariire", "CmdOK", "実行"},
        {"FrmKariire", "CmdBack", "戻る"},
        {"FrmKariire", "GrdPreview", "返済結果"},
        {"FrmKariire", "LblShiharaiOut", "支払い金額の合計"},
        {"FrmKariire", "LblRisokuOut", "利息の合計"},
        {"FrmGenka", "TxtKingaku", "金額"},
        {"FrmGenka", "CmbShokyaku", "償却法"},
        {"FrmGenka", "TxtTaiyo", "耐用年数"},
        {"FrmGenka", "LblRitsuOut", "償却率"},
        {"FrmGenka", "CmdOK", "実行"},
        {"FrmGenka", "CmdBack", "戻る"},
        {"FrmGenka", "GrdPreview", "償却結果"},
        {"FrmMenu", "CmdKariire", "借入金"},
        {"FrmMenu", "CmdGenka", "減価償却"},
        {"FrmMenu", "CmdEnd", "終了"},
    };
    for (const auto& r : rows) {
      QTest::addRow("%s %s", r.window, r.control)
          << r.window << r.control << QString::fromUtf8(r.name);
    }
  }

  void everyControlHasItsName() {
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QString, name);
    tsubame::test::MessageRecorder messages;
    std::unique_ptr<QWidget> w = MakeWindow(window);
    QWidget* widget = w->findChild<QWidget*>(control);
    QVERIFY(widget != nullptr);
    QCOMPARE(AccessibleName(widget), name);
  }

  // A screen reader reads the schedule cell by cell, headings included.
  void gridCellsAreReadable() {
    tsubame::test::MessageRecorder messages;
    FrmGenka window;
    window.findChild<QWidget*>("TxtTaiyo")->setProperty("text", "5");
    window.findChild<QWidget*>("TxtKingaku")->setProperty("text", "1000000");
    QTest::mouseClick(window.findChild<QWidget*>("CmdOK"), Qt::LeftButton);
    QAccessibleInterface* grid =
        QAccessible::queryAccessibleInterface(window.findChild<tsubame::ScheduleGrid*>());
    QAccessibleTableInterface* table = grid->tableInterface();
    QVERIFY(table != nullptr);
    QCOMPARE(table->rowCount(), 299);
    QCOMPARE(table->cellAt(0, 1)->text(QAccessible::Name), QStringLiteral("180,000"));
    QCOMPARE(table->cellAt(5, 2)->text(QAccessible::Name), QStringLiteral("50,000"));
    QCOMPARE(table->columnDescription(1), QStringLiteral("減価償却費    "));
  }
};

TSUBAME_UI_TEST_MAIN(AccessibleNamesTest)
#include "accessible_names_test.moc"
