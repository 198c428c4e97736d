// The yardstick for the settings dialog: a Qt Widgets program that shows one
// window of the dialog's size, titled as given, until it is ended.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle(argc > 1 ? QString::fromUtf8(argv[1]) : QString());
  window.setFixedSize(479, 252);
  window.show();
  return application.exec();
}
