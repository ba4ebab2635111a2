#pragma once

#include "records/image_buffers.h"

#include <QByteArrayView>
#include <QString>

// The embedded default configuration image (parameter block, name table and
// macro blocks, the same arrangement as a profile file).
inline constexpr char kDefaultImageResource[] = ":/VELK207xData";

// Spreads a raw image over the three buffers: DataBuf from offset 0, the name
// table from 256, block i from 1280 + 1024 * i. A short image fills each
// buffer only as far as it reaches and leaves the rest as it was; bytes past
// the image size are ignored.
void spreadImage(QByteArrayView raw, ImageBuffers &buffers);

// The three buffers back to back: exactly kImageSize bytes (missing bytes of
// a buffer that is too short are 0xFF).
QByteArray joinImage(const ImageBuffers &buffers);

// Reads the embedded default image into `buffers`. A missing resource or one
// of the wrong size fills nothing and returns false.
bool readDefaultImage(ImageBuffers &buffers, const QString &resourcePath = kDefaultImageResource);
