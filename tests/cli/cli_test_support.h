#pragma once

#include "file_bytes.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <optional>

// One run of the built gaming-mousectl, as a user would start it.
struct CliRun
{
    int exitCode = -1;
    bool finished = false;
    QByteArray out;
    QByteArray err;

    QStringList errLines() const;
    QStringList outLines() const;
};

// `input`, when given, is the program's standard input; otherwise it has none.
CliRun runCli(const QStringList &args, const QString &workDir,
              const std::optional<QByteArray> &input = std::nullopt);

// `args` as a command on the simulated mouse of `kind` whose memory is the
// file mouse.mem in the working folder.
QStringList onSimulatedMouse(const QStringList &args, const QString &kind = QStringLiteral("b58"));

// `show --json` of whatever the arguments select; an empty object when the
// run failed or printed no JSON object.
QJsonObject showJson(const QStringList &args, const QString &workDir);

// The working folder of a test's runs: a fresh one for each case (renew() in
// init()) or one for the whole test (in initTestCase()). The simulated
// mouse's memory is the file mouse.mem in it.
class CliTestFolder
{
protected:
    // False when no folder could be made.
    bool renew();
    QString workFolder() const { return m_dir->path(); }
    QString path(const QString &name) const { return m_dir->filePath(name); }
    CliRun onMouse(const QStringList &args, const QString &kind = QStringLiteral("b58")) const
    {
        return runCli(onSimulatedMouse(args, kind), workFolder());
    }
    QByteArray memory() const { return readAll(path(QStringLiteral("mouse.mem"))); }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

// The embedded default image (34048 bytes) as a profile file holds it.
QByteArray defaultProfileImage();

// Recomputes a section's checksum: the byte after `dataBytes` data bytes at
// `offset` becomes their sum modulo 256, XOR 0x5A.
void fixChecksum(QByteArray &image, int offset, int dataBytes);

// Report bytes of one trace line ("set 0 40 19 ...") from byte 0 on; empty
// for a line that is not a trace line.
QByteArray traceBytes(const QString &line);

// Where the device memory map puts things (simulated memory file offsets).
inline constexpr int kSimParameterAddress = 0x6000;
inline constexpr int kSimNameTableAddress = 0x6400;
inline constexpr int kSimParameterBAddress = 0x7000;
inline constexpr int kSimMacroAddress = 0x8000;

// Profile-file offsets used by the tests.
inline constexpr int kParameterBOffset = 27; // 4 data bytes, then the checksum
inline constexpr int kReportRateOffset = 28;
inline constexpr int kFireKeyOffset = 93; // 16 data bytes, then the checksum
inline constexpr int kNameTableOffset = 256;
inline constexpr int kBlocksOffset = 1280;
