#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <memory>

#include "common/ui/fonts.h"
#include "depreciation/ui/frm_genka_zeiho.h"
#include "loan/ui/frm_kariire.h"

// The loan window alone, or with "tax" the tax-law window for an asset put in
// use in January 2025, for a screen reader's client to read and drive.
int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tsubame-atspi-check"));
  QApplication::setFont(tsubame::DefaultFont());
  std::unique_ptr<QWidget> window;
  if (argc > 1 && QString::fromLatin1(argv[1]) == QStringLiteral("tax")) {
    auto tax = std::make_unique<FrmGenkaZeiho>();
    tax->StartWith(QString(), QString(), tsubame::TaxMethod::kDecliningBalance);
    tax->findChild<QLineEdit*>(QStringLiteral("TxtNen"))->setText(QStringLiteral("2025"));
    tax->findChild<QComboBox*>(QStringLiteral("CmbTsuki"))->setCurrentIndex(0);
    window = std::move(tax);
  } else {
    window = std::make_unique<FrmKariire>();
  }
  window->show();
  return QApplication::exec();
}
