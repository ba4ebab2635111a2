#include "macros/macro_area.h"

#include "macros/macro_names.h"

#include <algorithm>

namespace {

bool hasMacro(const ImageBuffers &image, int index)
{
    return index >= 0 && index < kMacroCount &&
           image.MacroNameTable.size() >= qsizetype(index + 1) * kMacroNameEntrySize &&
           image.MacroBlocks.size() >= qsizetype(index + 1) * kMacroBlockSize;
}

} // namespace

QByteArrayView macroBlock(const ImageBuffers &image, int index)
{
    if (!hasMacro(image, index))
        return QByteArrayView();
    return QByteArrayView(image.MacroBlocks)
        .sliced(qsizetype(index) * kMacroBlockSize, kMacroBlockSize);
}

std::optional<DecodedMacro> DataBufToMacroList(const ImageBuffers &image, int index)
{
    if (!hasMacro(image, index))
        return std::nullopt;
    const int length = macroStreamLength(macroNameEntry(image.MacroNameTable, index));
    return decodeMacroStream(macroBlock(image, index), length);
}

bool MacroListToDataBuf(ImageBuffers &image, int index, const QStringList &lines, QString *script)
{
    if (!hasMacro(image, index))
        return false;
    const std::optional<QByteArray> stream = encodeMacroLines(lines);
    if (!stream)
        return false;
    std::copy(stream->cbegin(), stream->cend(),
              image.MacroBlocks.begin() + qsizetype(index) * kMacroBlockSize);
    const qsizetype entry = qsizetype(index) * kMacroNameEntrySize;
    image.MacroNameTable[entry] = char(stream->size() >> 8);
    image.MacroNameTable[entry + 1] = char(stream->size() & 0xFF);
    if (script)
        *script = streamToHexScript(*stream);
    return true;
}

bool clearMacro(ImageBuffers &image, int index)
{
    if (!hasMacro(image, index))
        return false;
    std::fill_n(image.MacroBlocks.begin() + qsizetype(index) * kMacroBlockSize, kMacroBlockSize,
                char(0xFF));
    const qsizetype entry = qsizetype(index) * kMacroNameEntrySize;
    image.MacroNameTable[entry] = 0;
    image.MacroNameTable[entry + 1] = 0;
    return true;
}

quint32 macroBlockAddress(int index)
{
    return 0x8000u + quint32(index) * quint32(kMacroBlockSize);
}
