#pragma once

#include <QByteArray>
#include <QString>

// The raw configuration image: exactly what the mouse stores and what a
// profile file holds.
inline constexpr int kParameterBlockSize = 256;
inline constexpr int kMacroNameTableSize = 1024;
inline constexpr int kMacroCount = 32;
inline constexpr int kMacroBlockSize = 1024;
inline constexpr int kMacroBlocksSize = kMacroCount * kMacroBlockSize;
inline constexpr int kImageSize = kParameterBlockSize + kMacroNameTableSize + kMacroBlocksSize;

// The name a save dialog's choice is written under: ".bin" is appended unless
// the name already ends with it ("work" and "work.bin" both give "work.bin").
inline QString binFileName(const QString &chosenName)
{
    return chosenName.endsWith(QLatin1String(".bin"), Qt::CaseInsensitive)
               ? chosenName
               : chosenName + QLatin1String(".bin");
}

struct ImageBuffers
{
    QByteArray DataBuf = QByteArray(kParameterBlockSize, char(0xFF));
    QByteArray MacroNameTable = QByteArray(kMacroNameTableSize, char(0xFF));
    QByteArray MacroBlocks = QByteArray(kMacroBlocksSize, char(0xFF)); // block i at 1024 * i
};
