#pragma once

#include "ui/language.h"

#include <QHash>
#include <QString>

class Configuration;
class SkinElementSet;
class SkinLayout;
class SkinMarquee;
class SkinModelView;
class SkinPages;
class SkinSignals;

// ApplyLanguage and the language buttons: the language's layout, every
// caption, the re-translation of the button captions and the texts kept
// for other parts of the window (`storedTexts`, filled here).
class SkinLanguage
{
public:
    SkinLanguage(SkinElementSet &elements, Configuration &configuration, SkinLayout &layout,
                 SkinModelView &view, SkinPages &pages, SkinMarquee &marquee,
                 QHash<QString, QString> &storedTexts, SkinSignals &events);

    void applyLanguage(int language);       // ApplyLanguage: layout, captions, stored texts
    void languageButtonClick(int language); // Btn_Lang1Click ... Btn_Lang3Click
    // The current language's button marked again after the pointer left one.
    void markSelectedLanguageButton();
    QString applicationTitle() const { return m_storedTexts.value(QStringLiteral("Title")); }

private:
    void applyCaptions(const LanguageTable &texts);
    // Button captions that are language texts become that text in `texts`.
    void retranslateButtonCaptions(const LanguageTable &texts);
    // The DPI captions at one size that fits the longest of them.
    void fitDpiCaptions();

    SkinElementSet &m_elements;
    Configuration &m_configuration;
    SkinLayout &m_layout;
    SkinModelView &m_view;
    SkinPages &m_pages;
    SkinMarquee &m_marquee;
    QHash<QString, QString> &m_storedTexts;
    SkinSignals &m_events;
};
