#include "depreciation/ui/frm_genka.h"

#include <QAction>
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
#include "depreciation/core/depreciation_rate.h"
#include "depreciation/core/depreciation_schedule.h"
#include "depreciation/ui/frm_genka_zeiho.h"
#include "schedule/ui/frm_graph.h"
#include "schedule/ui/schedule_chart.h"
#include "schedule/ui/schedule_columns.h"
#include "schedule/ui/schedule_grid.h"
#include "schedule/ui/schedule_printer.h"

using tsubame::Qs;
using tsubame::TextBox;

namespace {

const tsubame::ScheduleColumn kDepreciationColumns[] = {
    {u"年数", 500, Qt::AlignCenter},
    {u"減価償却費    ", 1500, Qt::AlignRight | Qt::AlignVCenter},
    {u"現存価格      ", 1500, Qt::AlignRight | Qt::AlignVCenter},
};

}  // namespace

FrmGenka::FrmGenka(QWidget* parent) : tsubame::Form(parent) {
  setObjectName(QStringLiteral("FrmGenka"));
  setWindowTitle(QStringLiteral("減価償却計算"));
  SetFixedSizeTwips(6135, 7125);
  BuildControls();
  ConnectHandlers();
  tsubame::Trap([this] { Form_Load(); });
}

void FrmGenka::BuildControls() {
  using tsubame::MakeLabel;
  using tsubame::MakeTextBox;
  using tsubame::SetCaption;
  FraDetail =
      tsubame::MakeFrame(this, "FraDetail", QStringLiteral("減価償却内容"), {240, 240, 5655, 1215});
  QWidget* f = FraDetail;
  TxtKingaku = MakeTextBox(f, "TxtKingaku", {240, 720, 1215, 270});
  CmbShokyaku = tsubame::MakeDropDown(
      f, "CmbShokyaku", {QStringLiteral("定額"), QStringLiteral("定率")}, {1800, 720, 1095, 300});
  TxtTaiyo = MakeTextBox(f, "TxtTaiyo", {3240, 720, 800, 270});
  LblKin = MakeLabel(f, "LblKin", QStringLiteral("金額"), {240, 360, 1215, 255}, Qt::AlignCenter);
  LblHoho =
      MakeLabel(f, "LblHoho", QStringLiteral("償却法"), {1800, 360, 1215, 255}, Qt::AlignCenter);
  LblTaiyo =
      MakeLabel(f, "LblTaiyo", QStringLiteral("耐用年数"), {3240, 360, 855, 255}, Qt::AlignCenter);
  SetCaption(LblKin, TxtKingaku);
  SetCaption(LblHoho, CmbShokyaku);
  SetCaption(LblTaiyo, TxtTaiyo);
  LblRitsu =
      MakeLabel(f, "LblRitsu", QStringLiteral("償却率"), {4440, 360, 1005, 255}, Qt::AlignCenter);
  LblRitsuOut = tsubame::MakeResultLabel(f, "LblRitsuOut", LblRitsu, {4440, 720, 1005, 255});

  CmdOK = tsubame::MakeButton(this, "CmdOK", QStringLiteral("実行"), {4680, 3840, 1000, 375});
  CmdBack = tsubame::MakeButton(this, "CmdBack", QStringLiteral("戻る"), {4680, 4440, 1000, 375});

  GrdPreview =
      tsubame::MakeScheduleGrid(this, QStringLiteral("償却結果"), {240, 1680, 4095, 255},
                                tsubame::kDepreciationGridRows, 3, {240, 1920, 4065, 4935});
  MnuPrint = tsubame::AddPrintCommand(GrdPreview);
  FrmGraph::AddCommand(GrdPreview, tsubame::ChartKind::kDepreciation);
  // Today's tax law, in a window of its own; Ctrl+T from anywhere in this one.
  MnuZeiho = new QAction(QStringLiteral("現行税法で計算..."), GrdPreview);
  MnuZeiho->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
  MnuZeiho->setShortcutContext(Qt::WindowShortcut);
  MnuZeiho->setShortcutVisibleInContextMenu(true);
  GrdPreview->addAction(MnuZeiho);

  tsubame::SetTabOrder({TxtKingaku, CmbShokyaku, TxtTaiyo, CmdOK, CmdBack, GrdPreview});
}

void FrmGenka::ConnectHandlers() {
  using tsubame::OnEvent;
  OnEvent(this, &Form::Activated, this, &FrmGenka::Form_Activate);
  MdlCommon::SelectAllOnFocus({TxtKingaku, TxtTaiyo});
  OnEvent(TxtKingaku, &TextBox::KeyUp, this, &FrmGenka::TxtKingaku_KeyUp);
  OnEvent(TxtKingaku, &TextBox::LostFocus, this, &FrmGenka::TxtKingaku_LostFocus);
  OnEvent(TxtTaiyo, &TextBox::LostFocus, this, &FrmGenka::TxtTaiyo_LostFocus);
  // Any change of index, a choice in code included, is a click.
  OnEvent(CmbShokyaku, &QComboBox::currentIndexChanged, this, &FrmGenka::CmbShokyaku_Click);
  OnEvent(CmdOK, &QPushButton::clicked, this, &FrmGenka::CmdOK_Click);
  OnEvent(CmdBack, &QPushButton::clicked, this, &FrmGenka::CmdBack_Click);
  OnEvent(MnuPrint, &QAction::triggered, this, &FrmGenka::MnuPrint_Click);
  OnEvent(MnuZeiho, &QAction::triggered, this, &FrmGenka::MnuZeiho_Click);
}

void FrmGenka::Form_Load() {
  TxtKingaku->setText(QStringLiteral("0"));
  TxtTaiyo->setText(QStringLiteral("0"));
  // Raises CmbShokyaku_Click, which shows the rate of a life of 0.
  CmbShokyaku->setCurrentIndex(tsubame::StraightLine);
  ResetDepreciationGrid();
}

void FrmGenka::Form_Activate() { MdlCommon::CenterForm(); }

void FrmGenka::TxtKingaku_KeyUp() { MdlCommon::GroupThousands(TxtKingaku); }

void FrmGenka::TxtKingaku_LostFocus() { MdlCommon::ValidateNumericField(TxtKingaku); }

void FrmGenka::TxtTaiyo_LostFocus() {
  if (!MdlCommon::ValidateNumericField(TxtTaiyo)) {
    return;
  }
  TxtTaiyo->setText(Qs(MdlCommon::FormatWhole(TxtTaiyo->text().toStdU16String())));
  ShowRate();
}

void FrmGenka::CmbShokyaku_Click() { ShowRate(); }

void FrmGenka::ShowRate() {
  const std::int16_t method = tsubame::checked::To16(CmbShokyaku->currentIndex());
  const std::int16_t years = tsubame::TextToInt16(TxtTaiyo->text().toStdU16String());
  LblRitsuOut->SetText(Qs(tsubame::RateLabelText(MdlCommon::DepreciationRate(method, years))));
}

void FrmGenka::CmdOK_Click() {
  // Everything that can refuse is read before the old schedule goes.
  const std::int16_t method = tsubame::checked::To16(CmbShokyaku->currentIndex());
  const std::int16_t years = tsubame::TextToInt16(TxtTaiyo->text().toStdU16String());
  const double rate = MdlCommon::DepreciationRate(method, years);
  const double amount = tsubame::TextToDouble(TxtKingaku->text().toStdU16String());
  ResetDepreciationGrid();
  // A run that would never end stops at the grid's last row.
  tsubame::ComputeDepreciationSchedule(
      amount, years, method, rate,
      [this](const tsubame::DepreciationRow& row) { AppendDepreciationRow(row); });
}

void FrmGenka::CmdBack_Click() { Unload(); }

void FrmGenka::MnuPrint_Click() {
  tsubame::PreviewSchedule(this, [this] { return ReadPrintout(); });
}

void FrmGenka::MnuZeiho_Click() {
  FrmGenkaZeiho window(this);
  window.StartWith(TxtKingaku->text(), TxtTaiyo->text(),
                   CmbShokyaku->currentIndex() == tsubame::StraightLine
                       ? tsubame::TaxMethod::kStraightLine
                       : tsubame::TaxMethod::kDecliningBalance);
  window.ShowModal();
}

tsubame::Printout FrmGenka::ReadPrintout() const {
  return {windowTitle(),
          tsubame::CaptionedTexts({LblKin, LblHoho, LblTaiyo, LblRitsu}),
          GrdPreview,
          {},
          tsubame::ChartPages(*GrdPreview, tsubame::ChartKind::kDepreciation)};
}

void FrmGenka::ResetDepreciationGrid() {
  tsubame::ResetScheduleGrid(GrdPreview, kDepreciationColumns);
}

void FrmGenka::AppendDepreciationRow(const tsubame::DepreciationRow& row) {
  tsubame::AppendScheduleRow(GrdPreview, tsubame::DepreciationCells(row),
                             tsubame::DepreciationFigures(row));
}
