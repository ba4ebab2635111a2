#include "macros/macro_screenshots.h"

#include "app/main_window.h"
#include "app/skinned_content_port.h"
#include "macros/macro_editor.h"
#include "ui/skinned_content.h"
#include "ui/window_shot.h"

#include <QApplication>
#include <QPainter>
#include <QTextStream>

namespace {

constexpr int kVkControl = 0x11;
constexpr int kVkC = 0x43;

// Ctrl+C, then a click, with the pauses a hand leaves between them.
void recordSample(MacroEditor &editor)
{
    quint32 now = 1000;
    MacroRecorder &recorder = editor.recorder();
    recorder.setClock([&now] { return now; });
    editor.selectMacro(0);
    editor.toggleRecording();
    TKeyboardHook &keys = recorder.keyboardHook();
    keys.keyDown(kVkControl);
    now += 85;
    keys.keyDown(kVkC);
    now += 120;
    keys.keyUp(kVkC);
    now += 40;
    keys.keyUp(kVkControl);
    now += 300;
    recorder.mouseButtonEvent(MacroMouseButton::Left, true);
    now += 95;
    recorder.mouseButtonEvent(MacroMouseButton::Left, false);
    editor.toggleRecording();
    recorder.setClock(steadyMillisecondClock());
}

} // namespace

bool renderMacroScreenshots(MainWindow &window, const QDir &folder)
{
    auto *port = qobject_cast<SkinnedContentPort *>(&window.content());
    if (!port)
        return false;
    MacroEditor &editor = window.macros();
    port->skin().pageButtonClick(Configuration::Page::Macro);
    recordSample(editor);
    bool ok = saveShot(windowShot(window), folder, QStringLiteral("page-macro-recorded"));

    editor.eventLines().setSelectedRow(2);
    editor.openInsertPanel();
    editor.chooseInsert(MacroEditor::InsertKeyFront);
    ok = saveShot(windowShot(window), folder, QStringLiteral("page-macro-insert")) && ok;
    editor.cancelInsert();
    return ok;
}
