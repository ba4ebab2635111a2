#pragma once

#include "mouse_session.h"
#include "setting_edits.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QJsonObject>

#include <functional>

// Where and how the changing commands work: on the mouse (read, change,
// write-all) or on a profile file in place, for real or as a dry run, with
// the DPI captions of one language.
struct EditTarget
{
    QString profile; // empty: the mouse
    bool dryRun = false;
    int language = 1;
};

// The options every changing command shares: --profile, --dry-run, --lang.
class EditTargetOptions
{
public:
    EditTargetOptions();
    void addTo(QCommandLineParser &parser) const;
    // False with `status` set (a usage error) when a value is wrong.
    bool read(const QCommandLineParser &parser, EditTarget *target, int *status) const;

private:
    QCommandLineOption m_profile;
    QCommandLineOption m_dryRun;
    QCommandLineOption m_lang;
};

// Carries out the edits in order on the target. Nothing is written before
// every edit has been made; a refused edit ends the command with its status
// and line and leaves the mouse or the file as it was. When the edits leave
// the image as it was, nothing is written either. A dry run prints the
// changes and writes nothing.
using EditPlan = std::function<EditOutcome(MouseSession &session, bool onMouse)>;
int runEdits(const SessionOptions &options, const EditTarget &target, const EditPlan &plan);

// The image a command would write: the parameter block assembled (on 0xFF,
// as the write-all does, for the mouse), the names that differ from
// `namesBefore` encoded into their table entries, the macro blocks.
QByteArray imageToWrite(MouseSession &session, bool onMouse, const QStringList &namesBefore);

// A dry run's report on standard output: one line per shown value that would
// change ("path: old -> new"), or that nothing would. Returns ExitOk.
int printDryRun(const QJsonObject &shownBefore, const QJsonObject &shownAfter, bool bytesChange);

// A dry run of a command that changes the session's buffers as `change`
// does: the change is made and what it changed is printed; nothing is
// written. `bytes` gives the image the command would write; a failing change
// ends the dry run with its status.
int dryRunOf(MouseSession &session, const std::function<int()> &change,
             const std::function<QByteArray()> &bytes);

// imageToWrite for the mouse, with the names as they are now.
std::function<QByteArray()> mouseImageToWrite(MouseSession &session);

// The plan of a fixed list of edits, each carried out as the command asks.
EditPlan planOf(const QList<SettingEdit> &edits, bool declarative);
