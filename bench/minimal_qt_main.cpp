// The floor for start-up time and memory of any Qt 6 Widgets program here:
// one window with the main menu's three buttons and nothing else. The title
// is unique so bench/startup-bench can find the window from outside.

#include <QApplication>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("tsubame-minimal-qt"));
  auto* layout = new QVBoxLayout(&window);
  for (const QString& caption :
       {QStringLiteral("借入金"), QStringLiteral("減価償却"), QStringLiteral("終了")}) {
    layout->addWidget(new QPushButton(caption, &window));
  }
  window.show();
  return QApplication::exec();
}
