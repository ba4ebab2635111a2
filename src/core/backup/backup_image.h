#pragma once

#include <QByteArray>
#include <QString>

// A family-B mouse keeps ParameterB (current DPI level, report rate,
// profile, light mode) and UserBreath (colour 2) in areas of their own, apart
// from their places in the parameter block, and reads them from there. A
// backup is one profile file, so it holds those areas at their places in the
// block: what the mouse really uses, in the file's one arrangement.

// `image` with the two areas' bytes put at their places in its parameter
// block for the layout (42 or 58; UserBreath is not placed for another).
QByteArray withOwnAreas(QByteArray image, const QByteArray &parameterB,
                        const QByteArray &userBreath, int layoutCode);

// The two areas as `image` holds them at their places for the layout.
QByteArray parameterBOf(const QByteArray &image);
QByteArray userBreathOf(const QByteArray &image, int layoutCode);

// What differs between two configuration images, in one short line for a
// listing ("DPI levels, buttons, macros 3, 7"), "no change" when nothing
// that means anything does. Checksum bytes change with their data and are
// not named; the macros are numbered 0-31, as the commands number them.
QString describeImageChanges(const QByteArray &older, const QByteArray &newer);
