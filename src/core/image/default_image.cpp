#include "image/default_image.h"

#include <QFile>

#include <algorithm>

namespace {

// Copies what the raw image holds at `offset` into `target`, at most its size.
void fillFrom(QByteArrayView raw, qsizetype offset, QByteArray &target)
{
    if (offset >= raw.size())
        return;
    const qsizetype n = std::min(target.size(), raw.size() - offset);
    std::copy_n(raw.data() + offset, n, target.data());
}

QByteArray exactly(const QByteArray &buffer, qsizetype size)
{
    QByteArray out = buffer.left(size);
    if (out.size() < size)
        out.append(QByteArray(size - out.size(), char(0xFF)));
    return out;
}

} // namespace

void spreadImage(QByteArrayView raw, ImageBuffers &buffers)
{
    // Each buffer keeps its own size, so a resized buffer is never overrun.
    fillFrom(raw, 0, buffers.DataBuf);
    fillFrom(raw, kParameterBlockSize, buffers.MacroNameTable);
    fillFrom(raw, kParameterBlockSize + kMacroNameTableSize, buffers.MacroBlocks);
}

QByteArray joinImage(const ImageBuffers &buffers)
{
    QByteArray image;
    image.reserve(kImageSize);
    image.append(exactly(buffers.DataBuf, kParameterBlockSize));
    image.append(exactly(buffers.MacroNameTable, kMacroNameTableSize));
    image.append(exactly(buffers.MacroBlocks, kMacroBlocksSize));
    return image;
}

bool readDefaultImage(ImageBuffers &buffers, const QString &resourcePath)
{
    QFile resource(resourcePath);
    if (!resource.open(QIODevice::ReadOnly) || resource.size() != kImageSize)
        return false;
    const QByteArray raw = resource.read(kImageSize);
    if (raw.size() != kImageSize)
        return false;
    spreadImage(raw, buffers);
    return true;
}
