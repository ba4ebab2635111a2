#pragma once

#include <QBitmap>
#include <QImage>

// The shape of a skinned window: every pixel of `key` and every fully
// transparent pixel of its picture is see-through, the rest is window.
QBitmap windowShape(const QImage &picture, QRgb key);
