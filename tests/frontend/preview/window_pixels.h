#pragma once

// Qt before Xlib, whose Bool and Status macros break Qt's headers.
#include <QImage>

#include <X11/Xlib.h>

// What a window shows on the screen, its children's contents included; a null
// image when it cannot be read.
QImage WindowPixels(Display* display, Window window);

// The mean difference per colour channel between two pictures of the same size,
// 0 to 255; 255 when the sizes differ.
double MeanChannelDifference(const QImage& a, const QImage& b);
