#include "loan/ui/frm_kariire.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "common/core/checked.h"
#include "common/core/formats.h"
#include "common/core/numeric_text.h"
#include "common/ui/controls.h"
#include "common/ui/field_procedures.h"
#include "common/ui/handler.h"
#include "common/ui/qt_text.h"
#include "common/ui/result_label.h"
#include "common/ui/text_box.h"
#include "common/ui/twips.h"
#include "loan/core/repayment_schedule.h"
#include "schedule/ui/frm_graph.h"
#include "schedule/ui/schedule_chart.h"
#include "schedule/ui/schedule_columns.h"
#include "schedule/ui/schedule_grid.h"
#include "schedule/ui/schedule_printer.h"

using tsubame::Qs;
using tsubame::TextBox;

namespace {

const tsubame::ScheduleColumn kRepaymentColumns[] = {
    {u"月数", 500, Qt::AlignCenter},
    {u"元金返済金額   ", 1500, Qt::AlignRight | Qt::AlignVCenter},
    {u"利息         ", 1500, Qt::AlignRight | Qt::AlignVCenter},
    {u"合計         ", 1500, Qt::AlignRight | Qt::AlignVCenter},
    {u"残高         ", 1500, Qt::AlignRight | Qt::AlignVCenter},
};

}  // namespace

FrmKariire::FrmKariire(QWidget* parent) : tsubame::Form(parent) {
  setObjectName(QStringLiteral("FrmKariire"));
  setWindowTitle(QStringLiteral("借入金計算"));
  SetFixedSizeTwips(7470, 7035);
  BuildControls();
  ConnectHandlers();
  tsubame::Trap([this] { Form_Load(); });
}

void FrmKariire::BuildControls() {
  using tsubame::MakeLabel;
  using tsubame::MakeTextBox;
  using tsubame::SetCaption;
  FraDetail =
      tsubame::MakeFrame(this, "FraDetail", QStringLiteral("借入金内容"), {240, 240, 5535, 2295});
  QWidget* f = FraDetail;
  TxtKingaku = MakeTextBox(f, "TxtKingaku", {1200, 360, 1200, 270});
  CmbHensai = tsubame::MakeDropDown(f, "CmbHensai",
                                    {QStringLiteral("元金均等"), QStringLiteral("元利均等")},
                                    {1200, 840, 1320, 300});
  TxtKikan = MakeTextBox(f, "TxtKikan", {1200, 1320, 800, 270});
  TxtNenri = MakeTextBox(f, "TxtNenri", {1200, 1800, 800, 270});
  TxtSueoki = MakeTextBox(f, "TxtSueoki", {4440, 360, 800, 270});
  TxtDankaiKikan = MakeTextBox(f, "TxtDankaiKikan", {4440, 840, 800, 270});
  TxtDankaiNenri = MakeTextBox(f, "TxtDankaiNenri", {4440, 1320, 800, 270});
  LblKingaku = MakeLabel(f, "LblKingaku", QStringLiteral("借入金額"), {240, 360, 900, 255});
  LblHensai = MakeLabel(f, "LblHensai", QStringLiteral("返済方法"), {240, 840, 900, 255});
  LblKikan = MakeLabel(f, "LblKikan", QStringLiteral("期間"), {240, 1320, 900, 255});
  LblNenri = MakeLabel(f, "LblNenri", QStringLiteral("年利"), {240, 1800, 900, 255});
  LblSueoki = MakeLabel(f, "LblSueoki", QStringLiteral("据置"), {2760, 360, 1500, 255});
  LblDankaiKikan =
      MakeLabel(f, "LblDankaiKikan", QStringLiteral("段階金利の期間"), {2760, 840, 1500, 255});
  LblDankaiNenri =
      MakeLabel(f, "LblDankaiNenri", QStringLiteral("段階金利の年利"), {2760, 1320, 1500, 255});
  SetCaption(LblKingaku, TxtKingaku);
  SetCaption(LblHensai, CmbHensai);
  SetCaption(LblKikan, TxtKikan);
  SetCaption(LblNenri, TxtNenri);
  SetCaption(LblSueoki, TxtSueoki);
  SetCaption(LblDankaiKikan, TxtDankaiKikan);
  SetCaption(LblDankaiNenri, TxtDankaiNenri);

  CmdOK = tsubame::MakeButton(this, "CmdOK", QStringLiteral("実行"), {6000, 960, 1200, 375});
  CmdBack = tsubame::MakeButton(this, "CmdBack", QStringLiteral("戻る"), {6000, 1560, 1200, 375});

  GrdPreview = tsubame::MakeScheduleGrid(this, QStringLiteral("返済結果"), {240, 2760, 6945, 255},
                                         tsubame::kRepaymentGridRows, 5, {240, 3120, 6945, 3255});
  MnuPrint = tsubame::AddPrintCommand(GrdPreview);
  FrmGraph::AddCommand(GrdPreview, tsubame::ChartKind::kRepayment);

  LblShiharai =
      MakeLabel(this, "LblShiharai", QStringLiteral("支払い金額の合計"), {240, 6600, 1500, 255});
  LblShiharaiOut =
      tsubame::MakeResultLabel(this, "LblShiharaiOut", LblShiharai, {1920, 6600, 1485, 255});
  LblRisoku = MakeLabel(this, "LblRisoku", QStringLiteral("利息の合計"), {3840, 6600, 1500, 255});
  LblRisokuOut = tsubame::MakeResultLabel(this, "LblRisokuOut", LblRisoku, {5520, 6600, 1485, 255});

  tsubame::SetTabOrder({TxtKingaku, CmbHensai, TxtKikan, TxtNenri, TxtSueoki, TxtDankaiKikan,
                        TxtDankaiNenri, CmdOK, CmdBack, GrdPreview});
}

void FrmKariire::ConnectHandlers() {
  using tsubame::OnEvent;
  OnEvent(this, &Form::Activated, this, &FrmKariire::Form_Activate);
  MdlCommon::SelectAllOnFocus(
      {TxtKingaku, TxtKikan, TxtNenri, TxtSueoki, TxtDankaiKikan, TxtDankaiNenri});
  OnEvent(TxtKingaku, &TextBox::KeyUp, this, &FrmKariire::TxtKingaku_KeyUp);
  OnEvent(TxtKingaku, &TextBox::LostFocus, this, &FrmKariire::TxtKingaku_LostFocus);
  OnEvent(TxtKikan, &TextBox::LostFocus, this, &FrmKariire::TxtKikan_LostFocus);
  OnEvent(TxtNenri, &TextBox::LostFocus, this, &FrmKariire::TxtNenri_LostFocus);
  OnEvent(TxtSueoki, &TextBox::LostFocus, this, &FrmKariire::TxtSueoki_LostFocus);
  OnEvent(TxtDankaiKikan, &TextBox::LostFocus, this, &FrmKariire::TxtDankaiKikan_LostFocus);
  OnEvent(TxtDankaiNenri, &TextBox::LostFocus, this, &FrmKariire::TxtDankaiNenri_LostFocus);
  OnEvent(CmdOK, &QPushButton::clicked, this, &FrmKariire::CmdOK_Click);
  OnEvent(CmdBack, &QPushButton::clicked, this, &FrmKariire::CmdBack_Click);
  OnEvent(MnuPrint, &QAction::triggered, this, &FrmKariire::MnuPrint_Click);
}

void FrmKariire::Form_Load() {
  TxtKingaku->setText(QStringLiteral("0"));
  CmbHensai->setCurrentIndex(tsubame::EqualPrincipal);
  TxtKikan->setText(QStringLiteral("1"));
  for (TextBox* box : {TxtNenri, TxtSueoki, TxtDankaiKikan, TxtDankaiNenri}) {
    box->setText(QStringLiteral("0"));
  }
  ResetRepaymentGrid();
}

void FrmKariire::Form_Activate() { MdlCommon::CenterForm(); }

void FrmKariire::TxtKingaku_KeyUp() { MdlCommon::GroupThousands(TxtKingaku); }

void FrmKariire::TxtKingaku_LostFocus() { MdlCommon::ValidateNumericField(TxtKingaku); }
void FrmKariire::TxtNenri_LostFocus() { MdlCommon::ValidateNumericField(TxtNenri); }
void FrmKariire::TxtDankaiNenri_LostFocus() { MdlCommon::ValidateNumericField(TxtDankaiNenri); }

void FrmKariire::TxtKikan_LostFocus() {
  if (!MdlCommon::ValidateNumericField(TxtKikan)) {
    return;
  }
  TxtKikan->setText(Qs(MdlCommon::FormatWhole(TxtKikan->text().toStdU16String())));
}

void FrmKariire::TxtSueoki_LostFocus() { CheckYearsAgainstTerm(TxtSueoki, false); }
void FrmKariire::TxtDankaiKikan_LostFocus() { CheckYearsAgainstTerm(TxtDankaiKikan, true); }

void FrmKariire::CheckYearsAgainstTerm(TextBox* box, bool allow_equal) {
  if (!MdlCommon::ValidateNumericField(box)) {
    return;
  }
  // Compared as typed (halves to even); rewritten only once accepted.
  const std::int16_t years = tsubame::TextToInt16(box->text().toStdU16String());
  const std::int16_t term = tsubame::TextToInt16(TxtKikan->text().toStdU16String());
  if (years < term || (allow_equal && years == term)) {
    box->setText(Qs(MdlCommon::FormatWhole(box->text().toStdU16String())));
  } else {
    MdlCommon::RefuseInput(box);
  }
}

void FrmKariire::CmdOK_Click() {
  // The amount is converted before the grid is cleared: a bad amount leaves
  // the last schedule. The other fields are converted by the computation as
  // it needs them, after the clearing.
  const double amount = tsubame::TextToDouble(TxtKingaku->text().toStdU16String());
  ResetRepaymentGrid();
  const std::int16_t method = tsubame::checked::To16(CmbHensai->currentIndex());
  const tsubame::LoanFieldTexts texts{
      TxtKikan->text().toStdU16String(),       TxtNenri->text().toStdU16String(),
      TxtSueoki->text().toStdU16String(),      TxtDankaiKikan->text().toStdU16String(),
      TxtDankaiNenri->text().toStdU16String(),
  };
  const tsubame::RepaymentTotals totals = tsubame::ComputeRepaymentSchedule(
      amount, method, texts, [this](const tsubame::RepaymentRow& row) { AppendRepaymentRow(row); });
  ShowRepaymentTotals(totals);
}

void FrmKariire::CmdBack_Click() { Unload(); }

void FrmKariire::MnuPrint_Click() {
  tsubame::PreviewSchedule(this, [this] { return ReadPrintout(); });
}

tsubame::Printout FrmKariire::ReadPrintout() const {
  return {windowTitle(),
          tsubame::CaptionedTexts({LblKingaku, LblHensai, LblKikan, LblNenri, LblSueoki,
                                   LblDankaiKikan, LblDankaiNenri}),
          GrdPreview, tsubame::CaptionedTexts({LblShiharai, LblRisoku}),
          tsubame::ChartPages(*GrdPreview, tsubame::ChartKind::kRepayment)};
}

void FrmKariire::ResetRepaymentGrid() { tsubame::ResetScheduleGrid(GrdPreview, kRepaymentColumns); }

void FrmKariire::AppendRepaymentRow(const tsubame::RepaymentRow& row) {
  tsubame::AppendScheduleRow(GrdPreview, tsubame::RepaymentCells(row),
                             tsubame::RepaymentFigures(row));
}

void FrmKariire::ShowRepaymentTotals(const tsubame::RepaymentTotals& totals) {
  // "#,##0" of the totals' 15-digit text is FormatAmount of the value.
  LblRisokuOut->SetText(Qs(MdlCommon::FormatAmount(totals.TotalInterest)));
  LblShiharaiOut->SetText(Qs(MdlCommon::FormatAmount(totals.TotalPaid)));
}
