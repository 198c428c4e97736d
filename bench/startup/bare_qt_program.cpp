// The yardstick: a Qt Widgets program that opens its display and quits.
#include <QApplication>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  return 0;
}
