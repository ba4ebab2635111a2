#pragma once

#include <QObject>
#include <QString>

// What the skin tells the rest of the window. The window and the pages
// connect to these directly; the parts of the skin (hover families, pages,
// language, layout, marquee) emit them on the one object that owns them.
class SkinSignals : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    void confirmClicked();
    void applyClicked();
    void resetClicked();
    void exitClicked();
    void saveClicked();
    void loadClicked();
    // A press on the background: the window starts the system move.
    void dragRequested();
    // The marquee started (DevTimer must stop) or stopped (DevTimer may run).
    void marqueeStarted();
    void marqueeStopped();
    // A message box: no icon, one OK button, the application title.
    void messageRequested(const QString &text);
    // The application title changed (a language was applied).
    void titleChanged(const QString &title);
    // Every menu should close (menus connect to this).
    void hideAllMenusRequested();
    // A page was opened by its button.
    void pageOpened(int page);
};
