// A macro block and a name-table entry from the fuzz input through decode
// and encode. Decoding must stay inside the block whatever its bytes; the
// lines it gives must encode, and the stream encoded from them must decode
// and encode to itself again. A name written into an entry must read back
// as the fitted name.
//
// Input: bytes 0-1 the stream length (big-endian), bytes 2-33 a name-table
// entry, the rest the block (cut to one block's size).

#include "fuzz_support.h"

#include "records/image_buffers.h"
#include "macros/macro_area.h"
#include "macros/macro_format.h"
#include "macros/macro_names.h"

#include <vector>

namespace {

void checkStream(QByteArrayView block, int streamLength)
{
    const std::optional<DecodedMacro> decoded = decodeMacroStream(block, streamLength);
    if (streamLength > kMacroStreamMax) {
        FUZZ_CHECK(!decoded);
        return;
    }
    FUZZ_CHECK(decoded && !decoded->lines.isEmpty());
    for (const QString &line : decoded->lines) {
        // The page's row helpers take any line.
        (void)lineDisplayText(line);
        (void)lineKeyName(line);
        FUZZ_CHECK(lineIconIndex(line) >= 0 && lineIconIndex(line) <= 9);
    }

    // Records that repeat the previous text may grow the stream past a
    // block; that must be refused, not written.
    const std::optional<QByteArray> stream = encodeMacroLines(decoded->lines);
    if (!stream)
        return;
    FUZZ_CHECK(stream->size() >= 1 && stream->size() <= kMacroStreamMax);
    FUZZ_CHECK(stream->back() == '\0');

    const std::optional<DecodedMacro> again = decodeMacroStream(*stream, int(stream->size()));
    FUZZ_CHECK(again);
    const std::optional<QByteArray> streamAgain = encodeMacroLines(again->lines);
    FUZZ_CHECK(streamAgain && *streamAgain == *stream);

    // Through the image: macro 0 takes the lines and reads them back.
    ImageBuffers image;
    QString script;
    FUZZ_CHECK(MacroListToDataBuf(image, 0, again->lines, &script));
    FUZZ_CHECK(script == streamToHexScript(*stream));
    FUZZ_CHECK(macroStreamLength(macroNameEntry(image.MacroNameTable, 0)) == stream->size());
    const std::optional<DecodedMacro> fromImage = DataBufToMacroList(image, 0);
    FUZZ_CHECK(fromImage && fromImage->lines == again->lines);
}

void checkNameEntry(QByteArrayView entry)
{
    const QString name = decodeMacroName(entry);
    FUZZ_CHECK(name.size() <= kMacroNameMaxUnits);
    const QByteArray written = encodeMacroName(entry, name);
    FUZZ_CHECK(written.size() == kMacroNameEntrySize);
    FUZZ_CHECK(decodeMacroName(written) == fitMacroName(name));
    // The stream length is not the name's business.
    if (entry.size() >= 2)
        FUZZ_CHECK(macroStreamLength(written) == macroStreamLength(entry));

    // The entry's bytes read as a typed name (any UTF-16, surrogates cut or not).
    QString typed;
    for (qsizetype i = 0; i + 1 < entry.size(); i += 2)
        typed.append(QChar(char16_t((quint8(entry[i]) << 8) | quint8(entry[i + 1]))));
    const QString fitted = fitMacroName(typed);
    FUZZ_CHECK(fitted.size() <= kMacroNameMaxUnits);
    FUZZ_CHECK(decodeMacroName(encodeMacroName(QByteArrayView(), typed)) == fitted);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const int streamLength = (input.byte() << 8) | input.byte();
    checkNameEntry(input.bytes(kMacroNameEntrySize));
    // An exact-size copy, so ASan sees any read past the block's end.
    const QByteArrayView rest = input.bytes(kMacroBlockSize);
    const std::vector<char> block(rest.begin(), rest.end());
    checkStream(QByteArrayView(block.data(), qsizetype(block.size())), streamLength);
    return 0;
}
