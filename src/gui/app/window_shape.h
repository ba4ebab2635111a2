#pragma once

#include <QBitmap>
#include <QImage>

// The shape of a skinned window: every pixel of `key` and every fully
// transparent pixel of its picture is see-through, the rest is window. The
// shape is in the window's units, also for a picture of twice the density.
QBitmap windowShape(const QImage &picture, QRgb key);
