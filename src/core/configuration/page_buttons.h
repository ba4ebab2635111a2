#pragma once

#include "configuration/configuration.h"

#include <QString>

// What a click on one of the six page buttons does, decided before any
// widget changes: a notice for the user, nothing at all, or the page opens.
struct PageButtonDecision
{
    enum class Outcome
    {
        ShowMessage, // messageKey names the notice (Str020, Str021, Str022)
        Ignore,      // the no-device page is up: the buttons do nothing
        Open,
    };
    Outcome outcome = Outcome::Ignore;
    QString messageKey;
};

// The rules in the order they are checked: no open mouse gives Str022; the
// no-device page swallows the click; the Switch profile needs a Main button
// with the switch function (Str020), the Fixed profile a Switch button with
// the reset function (Str021).
PageButtonDecision decidePageButton(const Configuration &configuration, Configuration::Page target);

// The page a read, load or reset leaves open, and a notice to show with it.
// The tab that is selected is always the page whose buttons are shown and
// edited: the profile the image names opens even when its tab could not be
// clicked open, and the notice then says why the mouse's buttons cannot
// reach it (Str020, Str021). A mouse without macros (`macroPage` false)
// leaves the Macro page for Main.
struct PageAfterRefresh
{
    Configuration::Page page = Configuration::Page::Main;
    QString noticeKey;
};
PageAfterRefresh pageAfterRefresh(const Configuration &configuration, bool macroPage);

// The page picture (1-4) a page is drawn on: the three profiles share the
// first one.
int pagePictureNumber(Configuration::Page page);

// Whether the page is one of the three button profiles.
bool isProfilePage(Configuration::Page page);
