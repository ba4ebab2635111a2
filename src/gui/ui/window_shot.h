#pragma once

#include <QDir>
#include <QImage>
#include <QString>

class QWidget;

// A window as the desktop shows it, drawn without a display: its
// see-through parts (outside its mask) stay transparent.
QImage windowShot(QWidget &widget);

// Saves `image` as `name`.png in `folder`; says on standard error when the
// file cannot be written.
bool saveShot(const QImage &image, const QDir &folder, const QString &name);
