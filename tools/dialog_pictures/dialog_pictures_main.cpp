// Draws the settings dialog's pictures into the folder given: the 12 x 12 marks
// of a choice not in force (an empty light square with a thin frame) and of the
// choice in force (the same with a filled blue centre), and the window's icon, a
// ring of glowing points over a dark night blue as the screensaver shows it.
// Everything is computed, so the files come out the same every time.
#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

QImage Mark(bool inForce) {
  QImage mark(12, 12, QImage::Format_ARGB32);
  mark.fill(Qt::transparent);
  QPainter painter(&mark);
  // A thin grey frame with a lighter inner edge, over a near-white square.
  painter.fillRect(0, 0, 12, 12, QColor(0x80, 0x80, 0x8c));
  painter.fillRect(1, 1, 10, 10, QColor(0xfa, 0xfa, 0xfc));
  painter.fillRect(1, 1, 10, 1, QColor(0xdc, 0xdc, 0xe4));
  painter.fillRect(1, 1, 1, 10, QColor(0xdc, 0xdc, 0xe4));
  if (inForce) {
    painter.fillRect(3, 3, 6, 6, QColor(0x20, 0x50, 0xd0));
    painter.fillRect(3, 3, 6, 1, QColor(0x50, 0x80, 0xf0));
    painter.fillRect(3, 3, 1, 6, QColor(0x50, 0x80, 0xf0));
  }
  return mark;
}

// The colour of a hue from 0 to 1 at full saturation.
QColor Hue(double hue) { return QColor::fromHsvF(std::fmod(hue, 1.0), 0.85, 1.0); }

QImage Icon(int size) {
  QImage icon(size, size, QImage::Format_ARGB32);
  icon.fill(Qt::transparent);
  const double s = size / 64.0;
  // Light added point by point, as the screensaver adds its sprites.
  std::vector<double> red(size * size), green(size * size), blue(size * size);
  constexpr int kPoints = 24;
  for (int i = 0; i < kPoints; ++i) {
    const double angle = 2 * M_PI * i / kPoints;
    // A ring seen a little from above: nearer points lower, larger and brighter.
    const double x = 32 + 21 * std::cos(angle), y = 31 + 9 * std::sin(angle) - 3;
    const double nearness = 0.55 + 0.45 * std::sin(angle);
    const double radius = (4.5 + 2.5 * nearness) * s;
    const QColor colour = Hue(i / double(kPoints));
    for (int py = 0; py < size; ++py) {
      for (int px = 0; px < size; ++px) {
        const double d = std::hypot(px + 0.5 - x * s, py + 0.5 - y * s) / radius;
        if (d >= 1) continue;
        const double glow = (1 - d) * (1 - d) * nearness;
        red[py * size + px] += glow * colour.redF();
        green[py * size + px] += glow * colour.greenF();
        blue[py * size + px] += glow * colour.blueF();
      }
    }
  }
  QPainterPath tile;
  tile.addRoundedRect(QRectF(1 * s, 1 * s, 62 * s, 62 * s), 12 * s, 12 * s);
  for (int py = 0; py < size; ++py) {
    for (int px = 0; px < size; ++px) {
      if (!tile.contains(QPointF(px + 0.5, py + 0.5))) continue;
      // Night blue, lighter towards the middle as the dialog's gradient is.
      const double middle = std::sin(M_PI * (py + 0.5) / size);
      const auto channel = [](double base, double light) {
        return std::clamp(static_cast<int>(std::lround(base + 255 * light)), 0, 255);
      };
      const double r = 8 + 14 * middle, g = 8 + 14 * middle, b = 30 + 26 * middle;
      icon.setPixelColor(px, py,
                         QColor(channel(r, red[py * size + px]), channel(g, green[py * size + px]),
                                channel(b, blue[py * size + px])));
    }
  }
  return icon;
}

bool Save(const QImage& image, const QString& folder, const char* name) {
  const QString path = folder + "/" + name;
  if (image.save(path, "PNG")) return true;
  std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  QGuiApplication::setAttribute(Qt::AA_Use96Dpi);
  const QString folder = QString::fromLocal8Bit(argv[1]);
  const bool saved = Save(Mark(false), folder, "mark_off.png") &&
                     Save(Mark(true), folder, "mark_on.png") && Save(Icon(64), folder, "icon.png");
  return saved ? 0 : 1;
}
