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
struct DepreciationRow;
struct Printout;
}  // namespace tsubame

// 減価償却計算: the depreciation calculator. It holds no numbers of its own:
// the rate label follows the method and life, "実行" writes the schedule.
class FrmGenka : public tsubame::Form {
  Q_OBJECT

 public:
  explicit FrmGenka(QWidget* parent = nullptr);

 private:
  void BuildControls();
  void ConnectHandlers();

  void Form_Load();
  void Form_Activate();
  void TxtKingaku_KeyUp();
  void TxtKingaku_LostFocus();
  void TxtTaiyo_LostFocus();
  void CmbShokyaku_Click();
  void CmdOK_Click();
  void CmdBack_Click();
  void MnuPrint_Click();
  void MnuZeiho_Click();

  // The rate label for the chosen method and the life as typed.
  void ShowRate();

  void ResetDepreciationGrid();
  void AppendDepreciationRow(const tsubame::DepreciationRow& row);

  // The window as shown, for printing.
  tsubame::Printout ReadPrintout() const;

  QGroupBox* FraDetail = nullptr;
  QLabel* LblKin = nullptr;
  QLabel* LblHoho = nullptr;
  QLabel* LblTaiyo = nullptr;
  QLabel* LblRitsu = nullptr;
  tsubame::TextBox* TxtKingaku = nullptr;
  QComboBox* CmbShokyaku = nullptr;
  tsubame::TextBox* TxtTaiyo = nullptr;
  tsubame::ResultLabel* LblRitsuOut = nullptr;
  QPushButton* CmdOK = nullptr;
  QPushButton* CmdBack = nullptr;
  tsubame::ScheduleGrid* GrdPreview = nullptr;
  QAction* MnuPrint = nullptr;
  QAction* MnuZeiho = nullptr;
};
