#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

// The compiled-in picture is registered by its initialiser, declared at file scope.
static void RegisterPreviewPicture() { Q_INIT_RESOURCE(preview_picture); }

#include "frontend/preview/quorin05_r.h"

using namespace veyora::frontend;

namespace {

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The JPEG frame header's marker and component count; 0 when there is none.
struct FrameHeader {
  unsigned char marker = 0;
  int components = 0;
};

FrameHeader FindFrameHeader(const QByteArray& jpeg) {
  // Walks the marker segments after the start-of-image marker up to the frame header.
  int at = 2;
  while (at + 4 <= jpeg.size() && static_cast<unsigned char>(jpeg[at]) == 0xFF) {
    const auto marker = static_cast<unsigned char>(jpeg[at + 1]);
    const int length =
        (static_cast<unsigned char>(jpeg[at + 2]) << 8) | static_cast<unsigned char>(jpeg[at + 3]);
    if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
      return {marker, at + 9 < jpeg.size() ? static_cast<unsigned char>(jpeg[at + 9]) : 0};
    }
    at += 2 + length;
  }
  return {};
}

}  // namespace

TEST(PreviewPicture, IsCompiledInUnchanged) {
  RegisterPreviewPicture();
  const QByteArray carried = ReadAll(QString::fromLatin1(kPreviewPicturePath));
  ASSERT_FALSE(carried.isEmpty());
  EXPECT_EQ(carried, ReadAll(PREVIEW_PICTURE_FILE));
}

TEST(PreviewPicture, IsABaselineColourJpegOfThePreviewSize) {
  const QByteArray jpeg = ReadAll(PREVIEW_PICTURE_FILE);
  const FrameHeader header = FindFrameHeader(jpeg);
  EXPECT_EQ(header.marker, 0xC0) << "not a baseline frame";
  EXPECT_EQ(header.components, 3);

  const QImage picture = QImage::fromData(jpeg, "JPEG");
  ASSERT_FALSE(picture.isNull());
  EXPECT_EQ(picture.size(), QSize(152, 112));
  EXPECT_FALSE(picture.allGray());
}
