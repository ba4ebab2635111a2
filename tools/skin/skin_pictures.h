#pragma once

#include <QImage>
#include <QMap>
#include <QString>

// Every picture of the skin by resource name ("SetS_02", "L2_Back1").
using Pictures = QMap<QString, QImage>;

// Command, page, button-label, web and macro buttons in all their states,
// scale segments, markers, option indicators, the colour frame, the event
// icons of the macro list and the insert-panel backdrops.
void addControlPictures(Pictures &out);
// Background and page pictures of language 1-3, placed after its layout.
void addLanguagePictures(Pictures &out, int language);
// Backgrounds and button hovers of the key-combination and macro-name dialogs.
void addDialogPictures(Pictures &out);
// The frames of the busy animation, "WaitGif_01" ... on black.
void addBusyFrames(Pictures &out);
// The application icon at one square size.
QImage drawAppIcon(int size);
