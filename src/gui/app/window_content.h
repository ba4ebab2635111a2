#pragma once

#include "device/device_observer.h"
#include "ui/skin_signals.h"

#include <QObject>
#include <QString>
#include <QStringList>

class MacroEditor;

// What the main window asks of the skinned content laid over its client
// area: the pictures, labels, pages and menus. The window owns the device
// link, the timers and the dialogs; the content owns every named element.
// Requests follow the routine names of the skin so the two sides read alike;
// what the content reports (clicks, drags, messages, the marquee) comes from
// its signal source, to which the window connects directly.
class WindowContent : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // --- start-up, in the order the window calls them ------------------------
    virtual void stretchInputCover() = 0; // Disable_All over the client area, hidden
    virtual void showFirstPage() = 0;     // DisplayP1, HideP2 ... HideP4
    virtual void LoadSkinPictures() = 0;
    virtual void ApplyWebLink() = 0;
    virtual void ApplyLanguage(int language) = 0;
    virtual void applyMacroRowHeight() = 0;             // LB_MacroName's row height from the layout
    virtual void alignFireEdits() = 0;                  // Edt_Repeat*, Edt_DelayTime* right-aligned
    virtual void languageButtonClick(int language) = 0; // Btn_Lang<n>Click
    // The application title the language stored ("Title").
    virtual QString applicationTitle() const = 0;
    // The OK button's text in the current language; empty when it has none.
    virtual QString okButtonText() const = 0;

    // --- device link ---------------------------------------------------------
    virtual void BeginBusy() = 0;
    virtual void EndBusy() = 0;
    virtual void showNoDeviceLabels(const NoDeviceLabels &labels) = 0;
    virtual void HideAllMenu() = 0;
    virtual void stopLabelRun() = 0;
    virtual void hideAllPages() = 0; // the view half of RefreshErrorAP
    virtual void clearMacroLists() = 0;
    // LB_MacroName filled with the macro names.
    virtual void showMacroNames(const QStringList &names) = 0;
    virtual void ShowDevicePages(bool familyA, bool familyB) = 0;
    // The macro page's behaviour on the editor the window owns.
    virtual void attachMacroPage(MacroEditor &editor) { Q_UNUSED(editor); }
    virtual void clearMacroEditor() = 0;
    virtual void showPressed(DeviceObserver::WriteButton button) = 0;
    // Img_Save or Img_Load pressed: "SetS_02".
    virtual void showFileButtonPressed(bool save) = 0;

    // --- signals -------------------------------------------------------------
    // The object whose signals the window connects to: the command buttons'
    // clicks, a press on the background, the marquee (the hot-plug timer
    // rests while it runs) and the messages the content wants shown.
    virtual SkinSignals &signalSource() = 0;
    // Pages that follow a write's clicks (the fire-key boxes show what was
    // stored), attached once the window has connected its own handlers so
    // theirs run after the window's.
    virtual void attachSettingsPages() {}
};
