#pragma once

#include <QPixmap>
#include <QString>

// The skin's pictures, embedded under ":/skin/<name>.png" by name
// ("SetS_02", "L2_Back1", ...). Pictures are decoded once and shared: a hover
// swaps pictures many times a second and must not decode a PNG each time.
// A name without a picture gives a null pixmap and a warning (once per name),
// so a broken skin shows an empty element instead of stopping the window.
// On a display of more than single density the picture's "@2x" twin is
// taken where there is one.
QPixmap skinPixmap(const QString &name);
// The resource path of a picture at its listed size: ":/skin/<name>.png".
QString skinPicturePath(const QString &name);

// The page picture of `page` (1-4) in `language` (1-3): "L<language>_Back<page>".
QString pagePictureName(int language, int page);
// The background of `language`: "L<language>_BackGround".
QString backgroundPictureName(int language);
