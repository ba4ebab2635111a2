#pragma once

#include "records/image_buffers.h"
#include "macros/macro_format.h"

#include <QByteArrayView>
#include <QStringList>

#include <optional>

// The macro area of the image: entry i of MacroNameTable and block i of
// MacroBlocks belong to macro i. Indexes outside 0..31 read as nothing and
// write nothing.

// Block i of the image (empty for a bad index or a short image).
QByteArrayView macroBlock(const ImageBuffers &image, int index);

// Decodes macro i from its entry and block; nullopt for a bad index or a
// stream length above one block.
std::optional<DecodedMacro> DataBufToMacroList(const ImageBuffers &image, int index);

// Encodes the lines into block i and records the length in entry i. Refused
// (false, nothing written) for a bad index or when the stream would not fit
// into the block. `script`, when given, receives the stream as hex text.
bool MacroListToDataBuf(ImageBuffers &image, int index, const QStringList &lines,
                        QString *script = nullptr);

// Empties macro i: length 0, block all 0xFF, name kept.
bool clearMacro(ImageBuffers &image, int index);

// The mouse's memory address of block i, which a button bound to the macro carries.
quint32 macroBlockAddress(int index);
