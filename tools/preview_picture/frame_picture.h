#pragma once

#include <QImage>
#include <QString>

#include <cstdint>
#include <vector>

// The preview picture's size in pixels.
inline constexpr int kPreviewPictureWidth = 152;
inline constexpr int kPreviewPictureHeight = 112;

// Turns a frame read back from OpenGL (tightly packed RGB rows, bottom row first)
// into the preview picture: upright, smoothly scaled to 152 x 112.
QImage PictureFromFrame(const std::vector<std::uint8_t>& rgbRows, int width, int height);

// Saves the picture as a baseline (not progressive) colour JPEG. Returns an error
// text, empty on success.
QString SaveBaselineJpeg(const QImage& picture, const QString& path, int quality);
