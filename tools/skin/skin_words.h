#pragma once

#include <QString>

// The words painted into the pictures of one language: headings of the
// window and its pages, and the names of the choices whose labels are plain
// click areas over the page picture.
struct SkinWords
{
    QString subtitle;
    QString buttonsTitle;
    QString performanceTitle;
    QString dpiLevels;
    QString reportRate;
    QString hz1000;
    QString hz500;
    QString pointerSpeed;
    QString doubleClickSpeed;
    QString scrollLines;
    QString fireKeys;
    QString fireHint;
    QString lightTitle;
    QString offTime;
    QString riseTime;
    QString onTime;
    QString fallTime;
    QString lightMode;
    QString random;
    QString colourful;
    QString custom;
    QString colourMode;
    QString colour1;
    QString colour2;
    QString macros;
    QString events;
};

// Words of language 1 (English), 2 (Russian) or 3 (Chinese).
const SkinWords &skinWords(int language);
