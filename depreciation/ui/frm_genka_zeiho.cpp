#include "depreciation/ui/frm_genka_zeiho.h"

#include <QAction>
#include <QComboBox>
#include <QDate>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <limits>
#include <vector>

#include "common/core/formats.h"
#include "common/core/numeric_text.h"
#include "common/ui/controls.h"
#include "common/ui/field_procedures.h"
#include "common/ui/fonts.h"
#include "common/ui/form.h"
#include "common/ui/handler.h"
#include "common/ui/qt_text.h"
#include "common/ui/result_label.h"
#include "common/ui/text_box.h"
#include "common/ui/twips.h"
#include "depreciation/core/tax_rates.h"
#include "depreciation/core/tax_texts.h"
#include "schedule/ui/frm_graph.h"
#include "schedule/ui/schedule_chart.h"
#include "schedule/ui/schedule_columns.h"
#include "schedule/ui/schedule_grid.h"
#include "schedule/ui/schedule_printer.h"

using tsubame::Qs;
using tsubame::TextBox;

namespace {

constexpr double kFirstYear = 1950;
constexpr double kLastYear = 2100;
constexpr double kNoLimit = std::numeric_limits<double>::infinity();

const tsubame::ScheduleColumn kTaxGridColumns[] = {
    {u"年度", 1680, Qt::AlignCenter},
    {u"償却期間", 900, Qt::AlignCenter},
    {u"期首帳簿価額", 1680, Qt::AlignRight | Qt::AlignVCenter},
    {u"償却費", 1680, Qt::AlignRight | Qt::AlignVCenter},
    {u"期末帳簿価額", 1680, Qt::AlignRight | Qt::AlignVCenter},
};

QStringList Months() {
  QStringList months;
  for (int m = 1; m <= 12; ++m) {
    months << QStringLiteral("%1月").arg(m);
  }
  return months;
}

}  // namespace

FrmGenkaZeiho::FrmGenkaZeiho(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FrmGenkaZeiho"));
  setWindowTitle(QStringLiteral("減価償却計算（現行税法）"));
  setFont(tsubame::DefaultFont());
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint);
  tsubame::SetClientSizeTwips(this, 9600, 8280, true);
  BuildInputs();
  BuildResults();
  BuildSchedule();
  tsubame::SetTabOrder({TxtKingaku, TxtNen, CmbTsuki, CmbKishu, CmbHoho, TxtTaiyo, CmbHasu, CmdOK,
                        CmdBack, GrdPreview});
  ConnectHandlers();

  // A new asset is put in use this month, in a calendar year, truncated.
  const QDate today = QDate::currentDate();
  TxtNen->setText(QString::number(today.year()));
  CmbTsuki->setCurrentIndex(today.month() - 1);
  CmbKishu->setCurrentIndex(0);
  CmbHoho->setCurrentIndex(0);
  CmbHasu->setCurrentIndex(0);
  tsubame::ResetScheduleGrid(GrdPreview, kTaxGridColumns);
}

void FrmGenkaZeiho::BuildInputs() {
  using tsubame::MakeDropDown;
  using tsubame::MakeLabel;
  using tsubame::MakeTextBox;
  FraJoken = tsubame::MakeFrame(this, "FraJoken", QStringLiteral("資産と償却の条件"),
                                {240, 120, 7860, 1695});
  QWidget* f = FraJoken;
  // Two rows, each caption above its control.
  const auto caption = [f](const char* name, const char* text, int left, int top, int width) {
    return MakeLabel(f, name, QString::fromUtf8(text), {left, top, width, 255}, Qt::AlignCenter);
  };
  LblKingaku = caption("LblKingaku", "取得価額", 240, 330, 1815);
  TxtKingaku = MakeTextBox(f, "TxtKingaku", {240, 615, 1815, 300});
  LblNen = caption("LblNen", "供用開始年", 2280, 330, 1215);
  TxtNen = MakeTextBox(f, "TxtNen", {2280, 615, 1215, 300});
  LblTsuki = caption("LblTsuki", "供用開始月", 3720, 330, 1215);
  CmbTsuki = MakeDropDown(f, "CmbTsuki", Months(), {3720, 615, 1215, 300});
  LblKishu = caption("LblKishu", "期首月", 5160, 330, 1215);
  CmbKishu = MakeDropDown(f, "CmbKishu", Months(), {5160, 615, 1215, 300});
  LblHoho = caption("LblHoho", "償却方法", 240, 1020, 1815);
  CmbHoho = MakeDropDown(f, "CmbHoho", {QStringLiteral("定額法"), QStringLiteral("定率法")},
                         {240, 1305, 1815, 300});
  LblTaiyo = caption("LblTaiyo", "耐用年数", 2280, 1020, 1215);
  TxtTaiyo = MakeTextBox(f, "TxtTaiyo", {2280, 1305, 1215, 300});
  LblHasu = caption("LblHasu", "端数処理", 3720, 1020, 1215);
  CmbHasu = MakeDropDown(f, "CmbHasu", {QStringLiteral("切捨て"), QStringLiteral("切上げ")},
                         {3720, 1305, 1215, 300});
  tsubame::SetCaption(LblKingaku, TxtKingaku);
  tsubame::SetCaption(LblNen, TxtNen);
  tsubame::SetCaption(LblTsuki, CmbTsuki);
  tsubame::SetCaption(LblKishu, CmbKishu);
  tsubame::SetCaption(LblHoho, CmbHoho);
  tsubame::SetCaption(LblTaiyo, TxtTaiyo);
  tsubame::SetCaption(LblHasu, CmbHasu);
}

void FrmGenkaZeiho::BuildResults() {
  using tsubame::MakeLabel;
  using tsubame::MakeResultLabel;
  FraTekiyo = tsubame::MakeFrame(this, "FraTekiyo", QStringLiteral("適用される償却"),
                                 {240, 1935, 7860, 1035});
  QWidget* f = FraTekiyo;
  struct Result {
    QLabel** caption;
    tsubame::ResultLabel** out;
    const char* caption_name;
    const char* out_name;
    const char* text;
    int left;
    int width;
  };
  const Result results[] = {
      {&LblTekiyo, &LblTekiyoOut, "LblTekiyo", "LblTekiyoOut", "適用", 240, 1455},
      {&LblRitsu, &LblRitsuOut, "LblRitsu", "LblRitsuOut", "償却率", 1860, 1035},
      {&LblKaitei, &LblKaiteiOut, "LblKaitei", "LblKaiteiOut", "改定償却率", 3060, 1095},
      {&LblHosho, &LblHoshoOut, "LblHosho", "LblHoshoOut", "保証率", 4320, 1035},
      {&LblHoshoGaku, &LblHoshoGakuOut, "LblHoshoGaku", "LblHoshoGakuOut", "償却保証額", 5520,
       2100},
  };
  for (const Result& r : results) {
    *r.caption = MakeLabel(f, r.caption_name, QString::fromUtf8(r.text),
                           {r.left, 300, r.width, 255}, Qt::AlignCenter);
    *r.out = MakeResultLabel(f, r.out_name, *r.caption, {r.left, 585, r.width, 270});
  }
}

void FrmGenkaZeiho::BuildSchedule() {
  GrdPreview = tsubame::MakeScheduleGrid(this, QStringLiteral("償却結果"), {240, 3090, 7860, 255},
                                         tsubame::kTaxMaxYears + 1, tsubame::kTaxColumns,
                                         {240, 3345, 7860, 4395});
  MnuPrint = tsubame::AddPrintCommand(GrdPreview);
  FrmGraph::AddCommand(GrdPreview, tsubame::ChartKind::kTaxDepreciation);
  LblNote = tsubame::MakeLabel(this, "LblNote",
                               QStringLiteral("（改定）の年度は改定償却率で償却します。"),
                               {240, 7800, 7860, 255});
  CmdOK = tsubame::MakeButton(this, "CmdOK", QStringLiteral("実行"), {8340, 240, 1020, 375});
  CmdBack = tsubame::MakeButton(this, "CmdBack", QStringLiteral("戻る"), {8340, 720, 1020, 375});
}

void FrmGenkaZeiho::ConnectHandlers() {
  using tsubame::OnEvent;
  MdlCommon::SelectAllOnFocus({TxtKingaku, TxtNen, TxtTaiyo});
  OnEvent(TxtKingaku, &TextBox::KeyUp, this, &FrmGenkaZeiho::TxtKingaku_KeyUp);
  OnEvent(TxtKingaku, &TextBox::LostFocus, this, &FrmGenkaZeiho::TxtKingaku_LostFocus);
  OnEvent(TxtNen, &TextBox::LostFocus, this, &FrmGenkaZeiho::TxtNen_LostFocus);
  OnEvent(TxtTaiyo, &TextBox::LostFocus, this, &FrmGenkaZeiho::TxtTaiyo_LostFocus);
  OnEvent(CmdOK, &QPushButton::clicked, this, &FrmGenkaZeiho::CmdOK_Click);
  OnEvent(CmdBack, &QPushButton::clicked, this, &FrmGenkaZeiho::CmdBack_Click);
  OnEvent(MnuPrint, &QAction::triggered, this, &FrmGenkaZeiho::MnuPrint_Click);
}

void FrmGenkaZeiho::StartWith(const QString& amount, const QString& life,
                              tsubame::TaxMethod method) {
  // A cost too long to show digit for digit is left for the user to type.
  const std::optional<double> cost =
      tsubame::WholeNumberIn(amount.toStdU16String(), 1, tsubame::kTaxMaxCost);
  TxtKingaku->setText(cost ? Qs(MdlCommon::FormatAmount(*cost)) : QString());
  const std::optional<double> years =
      tsubame::WholeNumberIn(life.toStdU16String(), tsubame::kTaxMinLife, tsubame::kTaxMaxLife);
  TxtTaiyo->setText(years ? QString::number(static_cast<int>(*years)) : QString());
  CmbHoho->setCurrentIndex(static_cast<int>(method));
}

void FrmGenkaZeiho::ShowModal() {
  setWindowModality(Qt::ApplicationModal);
  show();
  activateWindow();  // takes the focus with or without a window manager
  exec();
}

bool FrmGenkaZeiho::event(QEvent* event) {
  const bool handled = QDialog::event(event);
  if (event->type() == QEvent::WindowActivate && !m_centred) {
    m_centred = true;
    tsubame::Trap([] { MdlCommon::CenterForm(); });
  }
  return handled;
}

void FrmGenkaZeiho::TxtKingaku_KeyUp() { MdlCommon::GroupThousands(TxtKingaku); }

// Leaving a box checks what was typed; an empty box waits for 実行, so
// that the user can move around (and leave) before typing everything.
void FrmGenkaZeiho::TxtKingaku_LostFocus() {
  if (!TxtKingaku->text().isEmpty()) {
    ReadWhole(TxtKingaku, 1, kNoLimit);
  }
}

void FrmGenkaZeiho::TxtNen_LostFocus() { TidyWhole(TxtNen, kFirstYear, kLastYear); }

void FrmGenkaZeiho::TxtTaiyo_LostFocus() {
  TidyWhole(TxtTaiyo, tsubame::kTaxMinLife, tsubame::kTaxMaxLife);
}

void FrmGenkaZeiho::TidyWhole(TextBox* box, double low, double high) {
  if (box->text().isEmpty()) {
    return;
  }
  if (const std::optional<double> value = ReadWhole(box, low, high)) {
    box->setText(QString::number(static_cast<int>(*value)));
  }
}

std::optional<double> FrmGenkaZeiho::ReadWhole(TextBox* box, double low, double high) {
  std::optional<double> value = tsubame::WholeNumberIn(box->text().toStdU16String(), low, high);
  if (!value) {
    MdlCommon::RefuseInput(box);
  }
  return value;
}

void FrmGenkaZeiho::CmdOK_Click() {
  // A refusal leaves everything as it was; a failure leaves nothing shown.
  const std::optional<double> cost = ReadWhole(TxtKingaku, 1, kNoLimit);
  if (!cost) {
    return;
  }
  const std::optional<double> year = ReadWhole(TxtNen, kFirstYear, kLastYear);
  if (!year) {
    return;
  }
  const std::optional<double> life =
      ReadWhole(TxtTaiyo, tsubame::kTaxMinLife, tsubame::kTaxMaxLife);
  if (!life) {
    return;
  }
  ClearResults();
  tsubame::ResetScheduleGrid(GrdPreview, kTaxGridColumns);
  ShowSchedule({tsubame::TaxCostYen(*cost), static_cast<int>(*year), CmbTsuki->currentIndex() + 1,
                CmbKishu->currentIndex() + 1,
                static_cast<tsubame::TaxMethod>(CmbHoho->currentIndex()), static_cast<int>(*life),
                static_cast<tsubame::TaxRounding>(CmbHasu->currentIndex())});
}

void FrmGenkaZeiho::ShowSchedule(const tsubame::TaxAsset& asset) {
  const tsubame::TaxTerms terms = tsubame::TaxTermsOf(asset);
  std::vector<tsubame::TaxRow> rows;
  tsubame::ComputeTaxSchedule(asset, [&rows](const tsubame::TaxRow& row) { rows.push_back(row); });
  LblTekiyoOut->SetText(Qs(tsubame::TaxRuleName(terms.rule)));
  LblRitsuOut->SetText(Qs(tsubame::TaxRateText(terms.rate)));
  LblKaiteiOut->SetText(Qs(tsubame::TaxRateText(terms.revised_rate)));
  LblHoshoOut->SetText(Qs(tsubame::TaxGuaranteeRateText(terms.guarantee_rate)));
  LblHoshoGakuOut->SetText(Qs(tsubame::TaxGuaranteeText(terms)));
  for (const tsubame::TaxRow& row : rows) {
    tsubame::AppendScheduleRow(GrdPreview, tsubame::TaxRowCells(row), tsubame::TaxRowFigures(row));
  }
}

void FrmGenkaZeiho::ClearResults() {
  for (tsubame::ResultLabel* out :
       {LblTekiyoOut, LblRitsuOut, LblKaiteiOut, LblHoshoOut, LblHoshoGakuOut}) {
    out->SetText(QString());
  }
}

void FrmGenkaZeiho::CmdBack_Click() { reject(); }

void FrmGenkaZeiho::MnuPrint_Click() {
  tsubame::PreviewSchedule(this, [this] { return ReadPrintout(); });
}

tsubame::Printout FrmGenkaZeiho::ReadPrintout() const {
  return {
      windowTitle(),
      tsubame::CaptionedTexts({LblKingaku, LblNen, LblTsuki, LblKishu, LblHoho, LblTaiyo, LblHasu,
                               LblTekiyo, LblRitsu, LblKaitei, LblHosho, LblHoshoGaku}),
      GrdPreview,
      {},
      tsubame::ChartPages(*GrdPreview, tsubame::ChartKind::kTaxDepreciation)};
}
