#include "macro_test_support.h"

#include "macros/macro_names.h"

#include <algorithm>

ImageBuffers defaultMacroImage()
{
    ImageBuffers image;
    for (int i = 0; i < kMacroCount; ++i) {
        const QByteArray entry = encodeMacroName(QByteArray(kMacroNameEntrySize, '\0'),
                                                 QStringLiteral("macro%1").arg(i));
        std::copy(entry.cbegin(), entry.cend(),
                  image.MacroNameTable.begin() + i * kMacroNameEntrySize);
    }
    return image;
}

QByteArray bytesFromHex(const char *hex)
{
    return QByteArray::fromHex(QByteArray(hex).replace(' ', ""));
}

void storeStream(ImageBuffers &image, int index, const QByteArray &stream)
{
    std::copy(stream.cbegin(), stream.cend(), image.MacroBlocks.begin() + index * kMacroBlockSize);
    image.MacroNameTable[index * kMacroNameEntrySize] = char(stream.size() >> 8);
    image.MacroNameTable[index * kMacroNameEntrySize + 1] = char(stream.size() & 0xFF);
}
