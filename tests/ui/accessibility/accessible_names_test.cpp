#include <QAccessible>
#include <QTest>

#include "depreciation/ui/frm_genka.h"
#include "depreciation/ui/frm_genka_zeiho.h"
#include "loan/ui/frm_kariire.h"
#include "shell/frm_menu.h"
#include "ui_test_main.h"

// No message recorder: a box shown here is a failure (see ArmModalWatchdog).
class AccessibleNamesTest : public QObject {
  Q_OBJECT

 private slots:
  // What a screen reader says for every control a user works with.
  void everyControlHasItsName() {
    FrmKariire kariire;
    FrmGenka genka;
    FrmMenu menu;
    FrmGenkaZeiho zeiho;
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
        {&zeiho,
         {"TxtKingaku=取得価額", "TxtNen=供用開始年", "CmbTsuki=供用開始月", "CmbKishu=期首月",
          "CmbHoho=償却方法", "TxtTaiyo=耐用年数", "CmbHasu=端数処理", "LblTekiyoOut=適用",
          "LblRitsuOut=償却率", "LblKaiteiOut=改定償却率", "LblHoshoOut=保証率",
          "LblHoshoGakuOut=償却保証額", "CmdOK=実行", "CmdBack=戻る", "GrdPreview=償却結果"}},
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
  }
};

TSUBAME_UI_TEST_MAIN(AccessibleNamesTest)
#include "accessible_names_test.moc"
