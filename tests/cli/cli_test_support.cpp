#include "cli_test_support.h"

#include "image/default_image.h"

#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>

namespace {

QStringList lines(const QByteArray &bytes)
{
    QStringList result = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    if (!result.isEmpty() && result.constLast().isEmpty())
        result.removeLast();
    return result;
}

} // namespace

QStringList CliRun::errLines() const
{
    return lines(err);
}

QStringList CliRun::outLines() const
{
    return lines(out);
}

CliRun runCli(const QStringList &args, const QString &workDir,
              const std::optional<QByteArray> &input)
{
    QProcess process;
    process.setWorkingDirectory(workDir);
    process.setProgram(QStringLiteral(GM_CLI_PATH));
    process.setArguments(args);
    process.start();
    if (input)
        process.write(*input);
    process.closeWriteChannel();
    CliRun run;
    // Generous: a full family-B transfer is a few thousand simulated reports.
    run.finished = process.waitForFinished(60000);
    if (!run.finished)
        process.kill();
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QStringList onSimulatedMouse(const QStringList &args, const QString &kind)
{
    return QStringList{"--simulate", kind, "--sim-state", "mouse.mem"} + args;
}

QJsonObject showJson(const QStringList &args, const QString &workDir)
{
    const CliRun run = runCli(args, workDir);
    if (run.exitCode != 0)
        return {};
    return QJsonDocument::fromJson(run.out).object();
}


QByteArray defaultProfileImage()
{
    ImageBuffers image;
    if (!readDefaultImage(image))
        return {};
    return joinImage(image);
}

void fixChecksum(QByteArray &image, int offset, int dataBytes)
{
    quint8 sum = 0;
    for (int i = 0; i < dataBytes; ++i)
        sum += quint8(image.at(offset + i));
    image[offset + dataBytes] = char(sum ^ 0x5A);
}

QByteArray traceBytes(const QString &line)
{
    static const QRegularExpression format(QStringLiteral("^(set|get) \\d+((?: [0-9A-F]{2}){8})$"));
    const QRegularExpressionMatch match = format.match(line);
    if (!match.hasMatch())
        return {};
    return QByteArray::fromHex(match.captured(2).remove(QLatin1Char(' ')).toLatin1());
}

bool CliTestFolder::renew()
{
    m_dir = std::make_unique<QTemporaryDir>();
    return m_dir->isValid();
}
