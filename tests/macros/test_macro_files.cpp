#include "macro_test_support.h"

#include "macros/macro_area.h"
#include "macros/macro_editor.h"
#include "macros/macro_files.h"
#include "macros/macro_names.h"

#include <QTemporaryDir>
#include <QtTest>

// Macro files: exact bytes out, partial and oversized files in, clear failures.
class MacroFilesTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void exportsDefaultMacro3ByteForByte();
    void exportsAllMacros();
    void importsWhatAFileReaches_data();
    void importsWhatAFileReaches();
    void importsAllFromShortAndLongFiles();
    void failuresNameTheFile();
    void editorCopiesAMacroToAnotherSlot();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    static QByteArray readAll(const QString &fileName);
    static void write(const QString &fileName, const QByteArray &bytes);

    QTemporaryDir m_dir;
    ImageBuffers m_image;
};

void MacroFilesTest::init()
{
    QVERIFY(m_dir.isValid());
    m_image = defaultMacroImage();
}

QByteArray MacroFilesTest::readAll(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void MacroFilesTest::write(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

void MacroFilesTest::exportsDefaultMacro3ByteForByte()
{
    const MacroFileResult result = exportOneMacro(m_image, 3, path("m3.bin"));
    QVERIFY(result);
    QCOMPARE(result.fileName, path("m3.bin")); // ".bin" is appended only where missing
    const QByteArray expected = bytesFromHex("0000000C 006D 0061 0063 0072 006F 0033") +
                                QByteArray(16, '\0') + QByteArray(1024, char(0xFF));
    QCOMPARE(readAll(result.fileName), expected);
    QCOMPARE(expected.size(), kSingleMacroFileSize);
}

void MacroFilesTest::exportsAllMacros()
{
    storeStream(m_image, 31, bytesFromHex("A1 21 00"));
    const MacroFileResult result = exportAllMacros(m_image, path("all"));
    QVERIFY(result);
    const QByteArray bytes = readAll(path("all.bin"));
    QCOMPARE(bytes.size(), kAllMacrosFileSize);
    QCOMPARE(bytes.left(kMacroNameTableSize), m_image.MacroNameTable);
    QCOMPARE(bytes.mid(kMacroNameTableSize), m_image.MacroBlocks);
    // Exporting again replaces the file.
    QVERIFY(exportAllMacros(defaultMacroImage(), path("all")));
    QCOMPARE(readAll(path("all.bin")).right(kMacroBlockSize),
             QByteArray(kMacroBlockSize, char(0xFF)));
}

void MacroFilesTest::importsWhatAFileReaches_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("entryBytes");
    QTest::addColumn<int>("blockBytes");

    QTest::newRow("empty") << 0 << 0 << 0;
    QTest::newRow("half an entry") << 16 << 16 << 0;
    QTest::newRow("entry only") << 32 << 32 << 0;
    QTest::newRow("entry and part of the block") << 100 << 32 << 68;
    QTest::newRow("exact") << kSingleMacroFileSize << 32 << 1024;
    QTest::newRow("all-macros file") << kAllMacrosFileSize << 32 << 1024;
}

void MacroFilesTest::importsWhatAFileReaches()
{
    QFETCH(int, size);
    QFETCH(int, entryBytes);
    QFETCH(int, blockBytes);

    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char(i * 7 + 1);
    write(path("in.bin"), bytes);

    const ImageBuffers before = m_image;
    QVERIFY(importOneMacro(m_image, 5, path("in.bin")));

    const QByteArray entry = m_image.MacroNameTable.mid(5 * 32, 32);
    const QByteArray block = m_image.MacroBlocks.mid(5 * kMacroBlockSize, kMacroBlockSize);
    QCOMPARE(entry.left(entryBytes), bytes.left(entryBytes));
    QCOMPARE(entry.mid(entryBytes),
             before.MacroNameTable.mid(5 * 32 + entryBytes, 32 - entryBytes));
    QCOMPARE(block.left(blockBytes), bytes.mid(32, blockBytes));
    QCOMPARE(block.mid(blockBytes), QByteArray(kMacroBlockSize - blockBytes, char(0xFF)));
    // Nothing outside macro 5 moves.
    QCOMPARE(m_image.MacroNameTable.left(5 * 32), before.MacroNameTable.left(5 * 32));
    QCOMPARE(m_image.MacroNameTable.mid(6 * 32), before.MacroNameTable.mid(6 * 32));
    QCOMPARE(m_image.MacroBlocks.mid(6 * kMacroBlockSize),
             before.MacroBlocks.mid(6 * kMacroBlockSize));
}

void MacroFilesTest::importsAllFromShortAndLongFiles()
{
    QByteArray shortFile = allMacrosFileBytes(defaultMacroImage()).left(kMacroNameTableSize + 100);
    shortFile.replace(0, 4, bytesFromHex("0003 000A"));
    shortFile.replace(kMacroNameTableSize, 3, bytesFromHex("A2 22 00"));
    storeStream(m_image, 0, bytesFromHex("82 04 02 04 00"));
    storeStream(m_image, 1, bytesFromHex("A1 21 00"));
    write(path("short.bin"), shortFile);
    QVERIFY(importAllMacros(m_image, path("short.bin")));
    QCOMPARE(m_image.MacroBlocks.left(3), bytesFromHex("A2 22 00"));
    QCOMPARE(m_image.MacroBlocks.mid(kMacroBlockSize, 3), bytesFromHex("A1 21 00")); // not reached
    QCOMPARE(macroStreamLength(macroNameEntry(m_image.MacroNameTable, 0)), 3);
    QCOMPARE(decodeMacroName(macroNameEntry(m_image.MacroNameTable, 0)), QStringLiteral("macro"));

    QByteArray longFile = allMacrosFileBytes(defaultMacroImage()) + QByteArray(5000, char(0x11));
    write(path("long.bin"), longFile);
    QVERIFY(importAllMacros(m_image, path("long.bin")));
    QCOMPARE(m_image.MacroNameTable, defaultMacroImage().MacroNameTable);
    QCOMPARE(m_image.MacroBlocks, defaultMacroImage().MacroBlocks);
}

void MacroFilesTest::failuresNameTheFile()
{
    const TextLookup text = [](const QString &key) {
        return key == QLatin1String("Str025") ? QStringLiteral("Cannot open the file \"%1\".")
                                              : QString();
    };
    const ImageBuffers before = m_image;

    const MacroFileResult missing = importAllMacros(m_image, path("nothing.bin"));
    QVERIFY(!missing);
    QCOMPARE(missing.errorKey, QStringLiteral("Str025"));
    QCOMPARE(missing.message(text),
             QStringLiteral("Cannot open the file \"%1\".").arg(path("nothing.bin")));

    QVERIFY(QDir(m_dir.path()).mkdir("folder"));
    const MacroFileResult folder = importOneMacro(m_image, 0, path("folder"));
    QCOMPARE(folder.errorKey, QStringLiteral("Str025"));
    QCOMPARE(m_image.MacroNameTable, before.MacroNameTable);
    QCOMPARE(m_image.MacroBlocks, before.MacroBlocks);

    const MacroFileResult unwritable = exportOneMacro(m_image, 0, path("no/such/dir/x"));
    QVERIFY(!unwritable);
    QCOMPARE(unwritable.errorKey, QStringLiteral("Str026"));
    // A language without the key still gives a readable text.
    QCOMPARE(unwritable.message(text),
             QStringLiteral("Cannot write the file \"%1\".").arg(path("no/such/dir/x.bin")));
    QVERIFY(!exportOneMacro(m_image, 32, path("bad")));
    QVERIFY(!QFile::exists(path("bad.bin")));
}

void MacroFilesTest::editorCopiesAMacroToAnotherSlot()
{
    MacroEditor editor(m_image);
    QVERIFY(!editor.exportOne(path("none")).ok); // nothing selected: nothing happens
    QVERIFY(editor.exportOne(path("none")).errorKey.isEmpty());

    storeStream(m_image, 8, bytesFromHex("FE 00 0A A4 FE 00 0B 24 00"));
    QVERIFY(editor.selectMacro(8));
    QVERIFY(editor.ApplyMacroName(QStringLiteral("middle")));
    editor.UIToMacroName();
    QVERIFY(editor.exportOne(path("eight")));

    QVERIFY(editor.selectMacro(17));
    QVERIFY(editor.importOne(path("eight.bin")));
    QCOMPARE(editor.macroNames()[17], QStringLiteral("middle"));
    QCOMPARE(editor.eventLines().lines(),
             (QStringList{"10", "0 10", "1 MiddleKey CODE:00A4", "0 11", "2 MiddleKey CODE:0024"}));

    // A 32-byte file: the new name and length over the old block.
    write(path("entry.bin"), bytesFromHex("0003 0004 0041 0042") + QByteArray(24, '\0'));
    QVERIFY(editor.importOne(path("entry.bin")));
    QCOMPARE(editor.macroNames()[17], QStringLiteral("AB"));
    QCOMPARE(editor.eventLines().lines(), (QStringList{"10", "0 10"}));

    // An imported empty macro shows the delay-mode line alone.
    QVERIFY(exportAllMacros(defaultMacroImage(), path("defaults")));
    QVERIFY(editor.importAll(path("defaults.bin")));
    QCOMPARE(editor.macroNames()[17], QStringLiteral("macro17"));
    QCOMPARE(editor.eventLines().lines(), QStringList{"00"});
}

QTEST_GUILESS_MAIN(MacroFilesTest)
#include "test_macro_files.moc"
