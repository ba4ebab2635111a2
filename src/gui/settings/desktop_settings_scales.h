#pragma once

#include <QObject>

class Configuration;
class QLabel;
class SkinnedContent;
struct ProgramMouseSettings;

// The advanced page's three ten-step scales of the desktop's mouse settings
// (pointer speed, double-click speed, wheel lines) and the line that says
// which store keeps them. After every read and every apply of the settings
// the program's own double-click time and wheel lines follow them.
class DesktopSettingsScales : public QObject
{
    Q_OBJECT
public:
    DesktopSettingsScales(SkinnedContent &skin, Configuration &config, QObject *parent = nullptr);
    ~DesktopSettingsScales() override;

    void render();
    void showStoreLine();

private:
    void followInProgram(const ProgramMouseSettings &settings);

    SkinnedContent &m_skin;
    Configuration &m_config;
    QLabel *m_storeLine = nullptr;
};
