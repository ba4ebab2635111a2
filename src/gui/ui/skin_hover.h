#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>

class SkinElementSet;
class SkinLanguage;
class SkinLayout;
class SkinMarquee;
class SkinPages;
class SkinSignals;

// Hover and click feedback of every family of skin buttons: the pictures
// under the labels, the command, page, file and language buttons, the
// button captions' marquee, the web button and the background's drag and
// click-away. Clicks that belong to the window go out as SkinSignals.
class SkinHover : public QObject
{
    Q_OBJECT
public:
    SkinHover(SkinElementSet &elements, SkinPages &pages, SkinLanguage &language,
              SkinMarquee &marquee, const SkinLayout &layout,
              const QHash<QString, QString> &storedTexts, SkinSignals &events,
              QObject *parent = nullptr);

    bool overRecordButton() const { return m_overRecordButton; }
    // What opens the web address; QDesktopServices::openUrl unless set.
    // False from it brings a message naming the address.
    void setUrlOpener(std::function<bool(const QUrl &)> opener) { m_openUrl = std::move(opener); }

private:
    void connectFamilies();
    void connectCommandButtons();
    void connectPageButtons();
    void connectLanguageButtons();
    void connectButtonLabels();
    void connectWebButton();
    void connectBackground();
    void openWebAddress();

    SkinElementSet &m_elements;
    SkinPages &m_pages;
    SkinLanguage &m_language;
    SkinMarquee &m_marquee;
    const SkinLayout &m_layout;
    const QHash<QString, QString> &m_storedTexts;
    SkinSignals &m_events;
    std::function<bool(const QUrl &)> m_openUrl;
    bool m_overRecordButton = false;
};
