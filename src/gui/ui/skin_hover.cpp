#include "ui/skin_hover.h"

#include "configuration/configuration.h"
#include "settings/setting_declarations.h"
#include "ui/skin_element_set.h"
#include "ui/skin_elements.h"
#include "ui/skin_label.h"
#include "ui/skin_language.h"
#include "ui/skin_layout.h"
#include "ui/skin_marquee.h"
#include "ui/skin_pages.h"
#include "ui/skin_picture.h"
#include "ui/skin_signals.h"

#include <QDesktopServices>

#include <utility>

namespace {

// The pictures a family shows on its button's own picture.
struct HoverPictures
{
    QString over;
    QString normal;
    QString pressed; // empty: a press changes nothing here
};

} // namespace

SkinHover::SkinHover(SkinElementSet &elements, SkinPages &pages, SkinLanguage &language,
                     SkinMarquee &marquee, const SkinLayout &layout,
                     const QHash<QString, QString> &storedTexts, SkinSignals &events,
                     QObject *parent)
    : QObject(parent), m_elements(elements), m_pages(pages), m_language(language),
      m_marquee(marquee), m_layout(layout), m_storedTexts(storedTexts), m_events(events)
{
    connectFamilies();
    connectCommandButtons();
    connectPageButtons();
    connectLanguageButtons();
    connectButtonLabels();
    connectWebButton();
    connectBackground();
}

void SkinHover::connectFamilies()
{
    const auto family = [this](const QStringList &labels, const HoverPictures &pictures) {
        for (const QString &name : labels) {
            SkinLabel *button = m_elements.label(name);
            const QString image = skin_elements::pictureOf(name);
            connect(button, &SkinLabel::entered, this,
                    [this, image, pictures] { m_elements.setPicture(image, pictures.over); });
            connect(button, &SkinLabel::left, this,
                    [this, image, pictures] { m_elements.setPicture(image, pictures.normal); });
            if (!pictures.pressed.isEmpty()) {
                connect(button, &SkinLabel::pressed, this, [this, image, pictures] {
                    m_elements.setPicture(image, pictures.pressed);
                });
            }
        }
    };
    family(skin_elements::commandButtons(), {"BtnS_02", "BtnS_01", {}});
    family(skin_elements::macroCommandButtons(), {"MacroS_02", "MacroS_01", "MacroS_03"});
    family(skin_elements::insertDialogButtons(), {"MacroBtnS_02", "MacroBtnS_01", "MacroBtnS_03"});
    family(skin_elements::recordButtons(), {"MacroS_02", "MacroS_01", {}});
    for (const QString &name : skin_elements::recordButtons()) {
        connect(m_elements.label(name), &SkinLabel::entered, this,
                [this] { m_overRecordButton = true; });
        connect(m_elements.label(name), &SkinLabel::left, this,
                [this] { m_overRecordButton = false; });
    }
}

void SkinHover::connectCommandButtons()
{
    // Straight on to the window's handlers, which listen to m_events.
    const std::pair<const char *, void (SkinSignals::*)()> buttons[] = {
        {"Btn_Confirm", &SkinSignals::confirmClicked},
        {"Btn_Apply", &SkinSignals::applyClicked},
        {"Btn_Reset", &SkinSignals::resetClicked},
        {"Btn_Exit", &SkinSignals::exitClicked}};
    SkinSignals *events = &m_events;
    for (const auto &[name, signal] : buttons) {
        connect(m_elements.label(QString::fromLatin1(name)), &SkinLabel::clicked, this,
                [events, clicked = signal](Qt::MouseButton) { emit(events->*clicked)(); });
    }
}

void SkinHover::connectPageButtons()
{
    // Page, Save and Load share one family: over shows SetS_03, leaving puts
    // SetS_01 back and marks the current page's button again.
    const QStringList pageFamily = skin_elements::pageButtons() + skin_elements::fileButtons();
    for (const QString &name : pageFamily) {
        SkinLabel *button = m_elements.label(name);
        const QString image = skin_elements::pictureOf(name);
        connect(button, &SkinLabel::entered, this,
                [this, image] { m_elements.setPicture(image, QStringLiteral("SetS_03")); });
        connect(button, &SkinLabel::left, this, [this, image] {
            m_elements.setPicture(image, QStringLiteral("SetS_01"));
            m_pages.markSelectedPageButton();
        });
    }
    for (int page = 0; page < skin_elements::pageButtons().size(); ++page) {
        connect(m_elements.label(skin_elements::pageButtons()[page]), &SkinLabel::clicked, this,
                [this, page](Qt::MouseButton) {
                    m_pages.pageButtonClick(static_cast<Configuration::Page>(page));
                });
    }
    connect(m_elements.label(QStringLiteral("Btn_Save")), &SkinLabel::clicked, this,
            [this](Qt::MouseButton) {
                m_elements.setPicture(QStringLiteral("Img_Save"), QStringLiteral("SetS_02"));
                emit m_events.saveClicked();
            });
    connect(m_elements.label(QStringLiteral("Btn_Load")), &SkinLabel::clicked, this,
            [this](Qt::MouseButton) {
                m_elements.setPicture(QStringLiteral("Img_Load"), QStringLiteral("SetS_02"));
                emit m_events.loadClicked();
            });
}

void SkinHover::connectLanguageButtons()
{
    for (int n = 1; n <= 3; ++n) {
        SkinLabel *button = m_elements.label(QStringLiteral("Btn_Lang%1").arg(n));
        const QString image = QStringLiteral("Img_Lang%1").arg(n);
        connect(button, &SkinLabel::entered, this,
                [this, image] { m_elements.setPicture(image, QStringLiteral("SetS_03")); });
        connect(button, &SkinLabel::left, this, [this, image] {
            m_elements.setPicture(image, QStringLiteral("SetS_01"));
            m_language.markSelectedLanguageButton();
        });
        connect(button, &SkinLabel::clicked, this,
                [this, n](Qt::MouseButton) { m_language.languageButtonClick(n); });
    }
}

void SkinHover::connectButtonLabels()
{
    for (int n = 1; n <= settings::kButtonsPerProfile; ++n) {
        SkinLabel *key = m_elements.label(QStringLiteral("Key%1").arg(n));
        const QString image = QStringLiteral("Img_Key%1").arg(n);
        connect(key, &SkinLabel::entered, this, [this, key, image] {
            m_elements.setPicture(image, QStringLiteral("KeyS_02"));
            m_marquee.start(key);
        });
        // Leaving and clicking both end the marquee before a menu opens, so
        // the menus see the real caption.
        const auto stop = [this, image] {
            m_elements.setPicture(image, QStringLiteral("KeyS_01"));
            m_marquee.stop();
        };
        connect(key, &SkinLabel::left, this, stop);
        connect(key, &SkinLabel::pressed, this, stop);
    }
}

void SkinHover::connectWebButton()
{
    SkinLabel *web = m_elements.label(QStringLiteral("Btn_Web"));
    connect(web, &SkinLabel::entered, this, [this] {
        m_elements.setPicture(QStringLiteral("Img_Web"), QStringLiteral("WebS_03"));
    });
    connect(web, &SkinLabel::left, this, [this] {
        m_elements.setPicture(QStringLiteral("Img_Web"), QStringLiteral("WebS_01"));
    });
    connect(web, &SkinLabel::clicked, this, [this](Qt::MouseButton) {
        m_elements.setPicture(QStringLiteral("Img_Web"), QStringLiteral("WebS_02"));
        openWebAddress();
    });
}

void SkinHover::openWebAddress()
{
    const QUrl address = m_layout.webAddress();
    if (!address.isValid() || address.isEmpty())
        return;
    const bool opened = m_openUrl ? m_openUrl(address) : QDesktopServices::openUrl(address);
    if (opened)
        return;
    // A desktop without a program for web pages: the user can still open
    // the guide by hand.
    const QString where = address.isLocalFile() ? address.toLocalFile() : address.toString();
    QString text = m_storedTexts.value(QStringLiteral("Str037"));
    if (text.isEmpty())
        text =
            QStringLiteral("No program on this desktop opens web pages. The user guide is at %1.");
    emit m_events.messageRequested(text.arg(where));
}

void SkinHover::connectBackground()
{
    connect(m_elements.picture(QStringLiteral("Img_Base")), &SkinPicture::pressed, this,
            [this](Qt::MouseButton) {
                m_pages.hideAllMenus();
                emit m_events.dragRequested();
            });
    // Click-away: a click on the background or the button page closes menus.
    for (const char *name : {"Img_Base", "Img_P1"}) {
        connect(m_elements.picture(QString::fromLatin1(name)), &SkinPicture::clicked, this,
                [this](Qt::MouseButton) { m_pages.hideAllMenus(); });
    }
}
