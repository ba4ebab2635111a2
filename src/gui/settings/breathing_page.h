#pragma once

#include <QColor>
#include <QObject>

class Configuration;
class SkinnedContent;

// The breathing-light page's four time scales, light-mode and LED
// colour-mode choices and colour 1's picker over the BreathingPageModel.
// The colour dialog opens with the colour last chosen in it.
class BreathingPage : public QObject
{
    Q_OBJECT
public:
    BreathingPage(SkinnedContent &skin, Configuration &config, QObject *parent = nullptr);

    // lbl_csmode1's click: the colour dialog, then the swatch and the
    // stored percentages.
    void pickColour1();
    QColor lastChosenColour() const { return m_lastChosen; }

private:
    void wireClicks();
    void render();

    SkinnedContent &m_skin;
    Configuration &m_config;
    QColor m_lastChosen = Qt::black;
};
