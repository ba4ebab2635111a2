#include "command_support.h"

#include <QRegularExpression>
#include <QTextStream>

#include <cstdio>

namespace {

// A value echoed in an error line is kept to this many characters, and the
// line to kLineLength: a bad value may be megabytes long.
constexpr qsizetype kShownValueLength = 200;
constexpr qsizetype kLineLength = 2000;

bool g_outputFailed = false;

// Messages from language texts may span lines; the tool's errors never do.
QString oneLine(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text.simplified();
}

// Every quoted value ("..." or Qt's 'option') longer than kShownValueLength
// is cut to its beginning and says how long it was.
QString shortValues(const QString &text)
{
    static const QRegularExpression quoted(
        QStringLiteral("\"([^\"]{%1,})\"|'([^'\\s]{%1,})'").arg(kShownValueLength + 1));
    QString out;
    qsizetype last = 0;
    for (const QRegularExpressionMatch &match : quoted.globalMatch(text)) {
        const int group = match.hasCaptured(1) ? 1 : 2;
        const QString value = match.captured(group);
        out += QStringView(text).mid(last, match.capturedStart(0) - last);
        const QString quote = group == 1 ? QStringLiteral("\"") : QStringLiteral("'");
        out += QStringLiteral("%1%2...%1 (%3 characters)")
                   .arg(quote, value.left(kShownValueLength))
                   .arg(value.size());
        last = match.capturedEnd(0);
    }
    out += QStringView(text).mid(last);
    if (out.size() > kLineLength)
        out = out.left(kLineLength) + QStringLiteral("...");
    return out;
}

} // namespace

int fail(const QString &message, int status)
{
    QTextStream(stderr) << "gaming-mousectl: " << shortValues(oneLine(message)) << '\n';
    return status;
}

void printOut(const QString &text)
{
    QTextStream out(stdout);
    out << text;
    out.flush();
    if (out.status() != QTextStream::Ok)
        g_outputFailed = true;
}

int withOutputChecked(int status)
{
    const bool written = std::fflush(stdout) == 0 && std::ferror(stdout) == 0 && !g_outputFailed;
    if (written || status != ExitOk)
        return status;
    return fail(QStringLiteral("cannot write to standard output"));
}

bool parseCommand(QCommandLineParser &parser, const QStringList &args, int *status)
{
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    parser.addOption(help);
    if (!parser.parse(args)) {
        *status = fail(parser.errorText() + QStringLiteral(" (see --help)"), ExitUsage);
        return false;
    }
    if (parser.isSet(help)) {
        // Qt names the program by its path; the usage names the command as typed.
        QString text = parser.helpText();
        const qsizetype options = text.indexOf(QLatin1String(" [options]"));
        if (text.startsWith(QLatin1String("Usage: ")) && options > 0 && !args.isEmpty())
            text.replace(7, options - 7, args.first());
        printOut(text);
        *status = ExitOk;
        return false;
    }
    return true;
}

int withSession(const SessionOptions &options, const std::function<int(MouseSession &)> &body)
{
    MouseSession session;
    QString error;
    if (!session.start(options, &error))
        return fail(error);
    int status = body(session);
    if (!session.finish(&error) && status == ExitOk)
        status = fail(error);
    return status;
}

bool requireConnected(MouseSession &session, int *status)
{
    const ConnectionState state = session.connectMouse();
    if (state == ConnectionState::Connected)
        return true;
    *status = fail(connectionError(session, state));
    return false;
}

QString connectionError(MouseSession &session, ConnectionState state)
{
    QString error =
        MouseSession::notConnectedError(state, session.link().connection.labels().deniedNodes);
    if (state == ConnectionState::ReadFailed)
        error = transferMessage(session, error);
    else if (state == ConnectionState::InUse && !session.lockProblem().isEmpty())
        error = session.lockProblem();
    return error;
}

QString transferMessage(MouseSession &session, const QString &fallback)
{
    const QStringList &messages = session.observer().messages();
    return messages.isEmpty() ? fallback : messages.constLast();
}

int writeToMouse(MouseSession &session, const QString &activity, const QString &fallback,
                 const std::function<bool(ConfigurationTransfer &)> &write)
{
    session.observer().clearMessages();
    session.observer().setActivity(activity);
    ConfigurationTransfer &transfer = session.link().transfer;
    if (write(transfer))
        return ExitOk;
    const quint32 lost = session.observer().lostWriteReports();
    if (!transfer.backupProblem().isEmpty() && lost == 0)
        return fail(QStringLiteral("nothing was written: no backup of the mouse's configuration "
                                   "could be made (%1); the global option --no-backup writes "
                                   "without one")
                        .arg(transfer.backupProblem()));
    QString message = transferMessage(session, fallback);
    if (lost > 0 && !transfer.lastBackup().isEmpty())
        message += QStringLiteral(" gaming-mousectl restore writes it back.");
    return fail(message);
}
