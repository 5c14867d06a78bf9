#pragma once

#include "common/ui/form.h"

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace tsubame {
class ResultLabel;
class ScheduleGrid;
class TextBox;
struct RepaymentRow;
struct RepaymentTotals;
struct Printout;
}  // namespace tsubame

// 借入金計算: the loan repayment calculator. It holds no numbers of its own:
// "実行" reads the boxes and writes the month-by-month schedule.
class FrmKariire : public tsubame::Form {
  Q_OBJECT

 public:
  explicit FrmKariire(QWidget* parent = nullptr);

 private:
  void BuildControls();
  void ConnectHandlers();

  void Form_Load();
  void Form_Activate();
  void TxtKingaku_KeyUp();
  void TxtKingaku_LostFocus();
  void TxtKikan_LostFocus();
  void TxtNenri_LostFocus();
  void TxtSueoki_LostFocus();
  void TxtDankaiKikan_LostFocus();
  void TxtDankaiNenri_LostFocus();
  void CmdOK_Click();
  void CmdBack_Click();
  void MnuPrint_Click();

  // The deferment and stepped-period rules: a whole number of years below
  // the term (or, with `allow_equal`, up to it).
  void CheckYearsAgainstTerm(tsubame::TextBox* box, bool allow_equal);

  void ResetRepaymentGrid();
  void AppendRepaymentRow(const tsubame::RepaymentRow& row);
  void ShowRepaymentTotals(const tsubame::RepaymentTotals& totals);

  // The window as shown, for printing.
  tsubame::Printout ReadPrintout() const;

  QGroupBox* FraDetail = nullptr;
  QLabel* LblKingaku = nullptr;
  QLabel* LblHensai = nullptr;
  QLabel* LblKikan = nullptr;
  QLabel* LblNenri = nullptr;
  QLabel* LblSueoki = nullptr;
  QLabel* LblDankaiKikan = nullptr;
  QLabel* LblDankaiNenri = nullptr;
  QLabel* LblShiharai = nullptr;
  QLabel* LblRisoku = nullptr;
  tsubame::TextBox* TxtKingaku = nullptr;
  QComboBox* CmbHensai = nullptr;
  tsubame::TextBox* TxtKikan = nullptr;
  tsubame::TextBox* TxtNenri = nullptr;
  tsubame::TextBox* TxtSueoki = nullptr;
  tsubame::TextBox* TxtDankaiKikan = nullptr;
  tsubame::TextBox* TxtDankaiNenri = nullptr;
  QPushButton* CmdOK = nullptr;
  QPushButton* CmdBack = nullptr;
  tsubame::ScheduleGrid* GrdPreview = nullptr;
  tsubame::ResultLabel* LblShiharaiOut = nullptr;
  tsubame::ResultLabel* LblRisokuOut = nullptr;
  QAction* MnuPrint = nullptr;
};
