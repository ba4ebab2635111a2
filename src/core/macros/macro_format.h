#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>

// The bytes of a macro block and the text lines the macro page holds for the
// open macro. Line 0 is the delay-mode line ("00", "01<ms>" or "10"); every
// further line is one event: "0 <ms>" a delay, "1 <name> CODE:XXXX" a press,
// "2 <name> CODE:XXXX" a release, where XXXX are the record's bytes in hex
// ("00" in front of a one-byte record).
//
// Everything here is a pure function of its arguments, so it can be fed any
// bytes (fuzzing) without an image around it.

inline constexpr int kMacroStreamMax = 1024; // a whole block, terminator included
inline constexpr int kMaxRecordedDelay = 65535;
inline constexpr int kMinTypedDelay = 1;
inline constexpr int kMaxTypedDelay = 65530;
inline constexpr int kDefaultTypedDelay = 50;

enum class MacroDelayMode
{
    NoDelay,
    FixedDelay,
    RecordedDelay
};

enum class MacroMouseButton
{
    Left,
    Right,
    Middle,
    Forward,
    Backward
};

// Keeps a typed delay inside the range the delay fields allow.
int clampTypedDelay(int ms);

// Record framing: the number of bytes a record with this first byte takes, or
// 0 for a byte that starts no known record. 0x00 (the terminator) counts 1.
int macroRecordLength(quint8 firstByte);

// Building lines.
QString delayModeLine(MacroDelayMode mode, int fixedDelay);
QString delayLine(int ms);
QString mouseButtonLine(MacroMouseButton button, bool pressed);
// "1 " or "2 ", the name, " CODE:" and the record bytes as four hex digits.
QString keyEventLine(bool pressed, const QString &name, quint8 recordByte, quint8 value);

// Reading lines. The kind is the first character ('0' delay, '1' press,
// '2' release, or anything for a malformed line); the key name is what lies
// between the kind prefix and " CODE:XXXX" (empty for delay lines).
QChar lineKind(const QString &line);
QString lineKeyName(const QString &line);
// What a row of the event list shows: "50 ms" for a delay, the key name otherwise.
QString lineDisplayText(const QString &line);
// Index into the row icons (delay, press, release); 0 for a kind that is not a digit.
int lineIconIndex(const QString &line);

// The bytes one event line contributes to the stream (0 for line 0 and for
// lines that carry nothing encodable).
int encodedLineSize(const QString &line);

struct DecodedMacro
{
    QStringList lines; // line 0 = delay-mode line
    MacroDelayMode mode = MacroDelayMode::NoDelay;
    int fixedDelay = 0; // the delay shown in fixed-delay mode
};

// Decodes a stream of `streamLength` bytes (terminator included) from a block
// of any size. A length above one block decodes nothing (nullopt). Decoding
// never reads past the block; it ends at a terminator met early, at a first
// byte that starts no known record (the rest cannot be framed) and at a
// record cut off by the block's end.
std::optional<DecodedMacro> decodeMacroStream(QByteArrayView block, int streamLength);

// Encodes event lines (line 0 is skipped) into a stream with its terminator.
// nullopt when the stream would not fit into one block.
std::optional<QByteArray> encodeMacroLines(const QStringList &lines);

// The stream as the hidden hex script holds it: two upper-case digits per byte.
QString streamToHexScript(QByteArrayView stream);

// Modifier bit of a key record <-> the virtual key it stands for (Ctrl 17,
// Shift 16, Alt 18, left Windows 91, right Windows 92); 0 when there is none.
int modifierVirtualKey(quint8 modifier);
quint8 modifierBit(int virtualKey);
