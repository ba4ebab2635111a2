#pragma once

#include "records/image_buffers.h"
#include "image/default_image.h"

#include <QFile>

#include <benchmark/benchmark.h>

// The embedded default image as one raw profile-file image.
inline QByteArray defaultImageBytes()
{
    QFile file(QString::fromLatin1(kDefaultImageResource));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QByteArray resourceBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
