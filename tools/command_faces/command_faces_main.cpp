// Makes the Command button's six face bitmaps, 64 x 25 pixels at 24 bits each:
//
//   veyora_command_faces FOLDER
//
// Only the outer 4-pixel ring of a face is ever drawn on the button, over an
// interior that runs from white to a light lilac grey. Each ring of the frame is
// a colour laid over that interior with some opacity: a soft bevel for Normal,
// an inset for Pressed, an amber glow while the pointer is over the button, a
// blue ring while it has focus, flat grey when disabled. The middle of each
// bitmap holds the interior too, so that the bitmaps look like the button.
#include <QColor>
#include <QImage>
#include <QString>

#include <cmath>
#include <cstdio>

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 25;
constexpr int kRings = 4;

const QColor kWhite(0xFF, 0xFF, 0xFF);
const QColor kShade(0xC6, 0xC5, 0xD7);
// Roughly what lies around a button in the settings dialog; the outermost corner
// pixels lean towards it to soften the corners.
const QColor kSurroundings(0x7C, 0x7E, 0x9C);

// A colour with the share (0 to 1) it takes over what lies beneath it.
struct Layer {
  QColor colour;
  double opacity = 0;
};

// One ring of the frame, counted from the outside: the layer on its top and left
// sides, and the one on its bottom and right sides.
struct Ring {
  Layer upperLeft, lowerRight;
};

struct FaceDesign {
  const char* name;
  Ring rings[kRings];
};

Layer Solid(QRgb rgb) { return {QColor(rgb), 1.0}; }
Layer Faint(QRgb rgb, double opacity) { return {QColor(rgb), opacity}; }
Ring Both(Layer layer) { return {layer, layer}; }

const FaceDesign kFaces[] = {
    {"Normal",
     {Both(Solid(0x5B6178)),
      {Solid(0xFFFFFF), Solid(0x9F9EB8)},
      {Faint(0xFFFFFF, 0.7), Faint(0xB4B3CA, 0.6)},
      {Faint(0xFFFFFF, 0.3), Faint(0xB4B3CA, 0.2)}}},
    {"HighLight",
     {Both(Solid(0xA8661A)), Both(Solid(0xF0A23A)), Both(Faint(0xF6C066, 0.8)),
      Both(Faint(0xFADDA4, 0.45))}},
    {"Pressed",
     {Both(Solid(0x3E4357)),
      {Solid(0x85849F), Faint(0xFFFFFF, 0.9)},
      {Faint(0xA9A8C0, 0.8), Faint(0xFFFFFF, 0.4)},
      {Faint(0xC4C3D6, 0.5), {}}}},
    {"Disable",
     {Both(Solid(0xA2A2AC)), Both(Solid(0xE4E4E8)), Both(Faint(0xECECEF, 0.6)), Both({})}},
    {"HighLightSelect",
     {Both(Solid(0x2A4C8E)), Both(Solid(0xF0A23A)), Both(Faint(0xF6C066, 0.8)),
      Both(Faint(0xFADDA4, 0.45))}},
    {"Selected",
     {Both(Solid(0x2A4C8E)),
      Both(Solid(0x6E98DC)),
      {Solid(0xFFFFFF), Solid(0xA9B8DA)},
      {Faint(0xFFFFFF, 0.4), Faint(0xB4B3CA, 0.3)}}},
};

QColor Mix(const QColor& under, const QColor& over, double opacity) {
  const auto channel = [opacity](int a, int b) {
    return static_cast<int>(std::lround(a + (b - a) * opacity));
  };
  return QColor(channel(under.red(), over.red()), channel(under.green(), over.green()),
                channel(under.blue(), over.blue()));
}

// The button's interior at pixel row y, white at the top to the shade colour at
// the bottom.
QColor Interior(int y) { return Mix(kWhite, kShade, static_cast<double>(y) / (kHeight - 1)); }

QColor FacePixel(const FaceDesign& face, int x, int y) {
  const int fromLeft = x, fromTop = y, fromRight = kWidth - 1 - x, fromBottom = kHeight - 1 - y;
  const int upperLeft = std::min(fromLeft, fromTop);
  const int lowerRight = std::min(fromRight, fromBottom);
  const int ring = std::min(upperLeft, lowerRight);
  if (ring >= kRings) return Interior(y);
  const Ring& design = face.rings[ring];
  const Layer& layer = upperLeft <= lowerRight ? design.upperLeft : design.lowerRight;
  const QColor colour = Mix(Interior(y), layer.colour, layer.opacity);
  const bool outerCorner = (fromLeft == 0 || fromRight == 0) && (fromTop == 0 || fromBottom == 0);
  return outerCorner ? Mix(colour, kSurroundings, 0.55) : colour;
}

QImage MakeFace(const FaceDesign& face) {
  QImage image(kWidth, kHeight, QImage::Format_RGB888);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) image.setPixelColor(x, y, FacePixel(face, x, y));
  }
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  for (const FaceDesign& face : kFaces) {
    const QString path = folder + "/" + face.name + ".png";
    if (!MakeFace(face).save(path, "PNG")) {
      std::fprintf(stderr, "veyora_command_faces: cannot write %s\n",
                   path.toLocal8Bit().constData());
      return 1;
    }
  }
  return 0;
}
