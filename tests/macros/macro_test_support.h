#pragma once

#include "records/image_buffers.h"

#include <QByteArray>
#include <QString>

#include <functional>

// A macro area as the embedded default image has it: entry i holds length 0
// and the name "macro<i>" followed by zero bytes, every block is 0xFF.
ImageBuffers defaultMacroImage();

// Stream bytes from hex text with optional blanks: "82 04 FE 00 78".
QByteArray bytesFromHex(const char *hex);

// Puts a stream (terminator included) into macro `index` with its length.
void storeStream(ImageBuffers &image, int index, const QByteArray &stream);

// A clock the test moves by hand.
struct ManualClock
{
    quint32 now = 0;
    std::function<quint32()> function()
    {
        return [this] { return now; };
    }
};

inline constexpr int kVkA = 0x41;
inline constexpr int kVkB = 0x42;
inline constexpr int kVkShift = 0x10;
inline constexpr int kVkCtrl = 0x11;
inline constexpr int kVkRightCtrl = 0xA3;
