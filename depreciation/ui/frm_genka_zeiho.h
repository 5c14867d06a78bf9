#pragma once

#include <QDialog>
#include <optional>

#include "depreciation/core/tax_schedule.h"

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace tsubame {
class ResultLabel;
class ScheduleGrid;
class TextBox;
struct Printout;
}  // namespace tsubame

// 減価償却計算（現行税法）: depreciation as today's tax law computes it, beside
// the depreciation window and opened from it. "実行" reads every entry,
// shows the rule that applies and writes the schedule; "戻る" or Escape
// closes it. Like the calculators it holds no numbers of its own.
class FrmGenkaZeiho : public QDialog {
  Q_OBJECT

 public:
  explicit FrmGenkaZeiho(QWidget* parent = nullptr);

  // Starts from the depreciation window's entries: its amount and life where
  // they are valid here, and its method.
  void StartWith(const QString& amount, const QString& life, tsubame::TaxMethod method);

  // Shows the window modally, centred on the screen, until it is closed.
  void ShowModal();

 protected:
  bool event(QEvent* event) override;

 private:
  void BuildInputs();
  void BuildResults();
  void BuildSchedule();
  void ConnectHandlers();

  void TxtKingaku_KeyUp();
  void TxtKingaku_LostFocus();
  void TxtNen_LostFocus();
  void TxtTaiyo_LostFocus();
  void CmdOK_Click();
  void CmdBack_Click();
  void MnuPrint_Click();

  // A box's whole number from `low` to `high`, or a refusal: message 000 and
  // the focus back into the box.
  std::optional<double> ReadWhole(tsubame::TextBox* box, double low, double high);
  // A year or a life on leaving its box: written as plain digits, or refused.
  void TidyWhole(tsubame::TextBox* box, double low, double high);
  void ShowSchedule(const tsubame::TaxAsset& asset);
  void ClearResults();

  // The window as shown, for printing.
  tsubame::Printout ReadPrintout() const;

  QGroupBox* FraJoken = nullptr;
  QLabel* LblKingaku = nullptr;
  QLabel* LblNen = nullptr;
  QLabel* LblTsuki = nullptr;
  QLabel* LblKishu = nullptr;
  QLabel* LblHoho = nullptr;
  QLabel* LblTaiyo = nullptr;
  QLabel* LblHasu = nullptr;
  tsubame::TextBox* TxtKingaku = nullptr;
  tsubame::TextBox* TxtNen = nullptr;
  QComboBox* CmbTsuki = nullptr;
  QComboBox* CmbKishu = nullptr;
  QComboBox* CmbHoho = nullptr;
  tsubame::TextBox* TxtTaiyo = nullptr;
  QComboBox* CmbHasu = nullptr;

  QGroupBox* FraTekiyo = nullptr;
  QLabel* LblTekiyo = nullptr;
  QLabel* LblRitsu = nullptr;
  QLabel* LblKaitei = nullptr;
  QLabel* LblHosho = nullptr;
  QLabel* LblHoshoGaku = nullptr;
  tsubame::ResultLabel* LblTekiyoOut = nullptr;
  tsubame::ResultLabel* LblRitsuOut = nullptr;
  tsubame::ResultLabel* LblKaiteiOut = nullptr;
  tsubame::ResultLabel* LblHoshoOut = nullptr;
  tsubame::ResultLabel* LblHoshoGakuOut = nullptr;

  tsubame::ScheduleGrid* GrdPreview = nullptr;
  QLabel* LblNote = nullptr;
  QPushButton* CmdOK = nullptr;
  QPushButton* CmdBack = nullptr;
  QAction* MnuPrint = nullptr;

  bool m_centred = false;
};
