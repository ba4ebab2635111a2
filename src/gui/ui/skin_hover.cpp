// Hover and click feedback of every family of skin buttons, the caption
// marquee, the web button and the background's drag and click-away.
#include "ui/skinned_content.h"

#include "ui/skin_elements.h"
#include "ui/skin_label.h"
#include "ui/skin_picture.h"

#include <QDesktopServices>

namespace {

// The pictures a family shows on its button's own picture.
struct HoverPictures
{
    QString over;
    QString normal;
    QString pressed; // empty: a press changes nothing here
};

} // namespace

void SkinnedContent::connectHoverFamilies()
{
    const auto family = [this](const QStringList &labels, const HoverPictures &pictures) {
        for (const QString &name : labels) {
            SkinLabel *button = label(name);
            const QString image = skin_elements::pictureOf(name);
            connect(button, &SkinLabel::entered, this,
                    [this, image, pictures] { setPicture(image, pictures.over); });
            connect(button, &SkinLabel::left, this,
                    [this, image, pictures] { setPicture(image, pictures.normal); });
            if (!pictures.pressed.isEmpty()) {
                connect(button, &SkinLabel::pressed, this,
                        [this, image, pictures] { setPicture(image, pictures.pressed); });
            }
        }
    };
    family(skin_elements::commandButtons(), {"BtnS_02", "BtnS_01", {}});
    family(skin_elements::macroCommandButtons(), {"MacroS_02", "MacroS_01", "MacroS_03"});
    family(skin_elements::insertDialogButtons(), {"MacroBtnS_02", "MacroBtnS_01", "MacroBtnS_03"});
    family(skin_elements::recordButtons(), {"MacroS_02", "MacroS_01", {}});
    for (const QString &name : skin_elements::recordButtons()) {
        connect(label(name), &SkinLabel::entered, this, [this] { m_overRecordButton = true; });
        connect(label(name), &SkinLabel::left, this, [this] { m_overRecordButton = false; });
    }

    connectCommandButtons();
    connectPageButtons();
    connectButtonLabels();
    connectWebButton();
    connectBackground();
}

void SkinnedContent::connectCommandButtons()
{
    const auto onClick = [this](const char *name, void (SkinnedContent::*signal)()) {
        connect(label(QString::fromLatin1(name)), &SkinLabel::clicked, this,
                [this, signal](Qt::MouseButton) { emit(this->*signal)(); });
    };
    onClick("Btn_Confirm", &SkinnedContent::confirmClicked);
    onClick("Btn_Apply", &SkinnedContent::applyClicked);
    onClick("Btn_Reset", &SkinnedContent::resetClicked);
    onClick("Btn_Exit", &SkinnedContent::exitClicked);
}

void SkinnedContent::connectPageButtons()
{
    // Page, Save and Load share one family: over shows SetS_03, leaving puts
    // SetS_01 back and marks the current page's button again.
    const QStringList pageFamily = skin_elements::pageButtons() + skin_elements::fileButtons();
    for (const QString &name : pageFamily) {
        SkinLabel *button = label(name);
        const QString image = skin_elements::pictureOf(name);
        connect(button, &SkinLabel::entered, this,
                [this, image] { setPicture(image, QStringLiteral("SetS_03")); });
        connect(button, &SkinLabel::left, this, [this, image] {
            setPicture(image, QStringLiteral("SetS_01"));
            markSelectedPageButton();
        });
    }
    for (int page = 0; page < skin_elements::pageButtons().size(); ++page) {
        connect(label(skin_elements::pageButtons()[page]), &SkinLabel::clicked, this,
                [this, page](Qt::MouseButton) {
                    pageButtonClick(static_cast<Configuration::Page>(page));
                });
    }
    connect(label(QStringLiteral("Btn_Save")), &SkinLabel::clicked, this, [this](Qt::MouseButton) {
        setPicture(QStringLiteral("Img_Save"), QStringLiteral("SetS_02"));
        emit saveClicked();
    });
    connect(label(QStringLiteral("Btn_Load")), &SkinLabel::clicked, this, [this](Qt::MouseButton) {
        setPicture(QStringLiteral("Img_Load"), QStringLiteral("SetS_02"));
        emit loadClicked();
    });

    for (int n = 1; n <= 3; ++n) {
        SkinLabel *button = label(QStringLiteral("Btn_Lang%1").arg(n));
        const QString image = QStringLiteral("Img_Lang%1").arg(n);
        connect(button, &SkinLabel::entered, this,
                [this, image] { setPicture(image, QStringLiteral("SetS_03")); });
        connect(button, &SkinLabel::left, this, [this, image] {
            setPicture(image, QStringLiteral("SetS_01"));
            markSelectedLanguageButton();
        });
        connect(button, &SkinLabel::clicked, this,
                [this, n](Qt::MouseButton) { languageButtonClick(n); });
    }
}

void SkinnedContent::connectButtonLabels()
{
    for (int n = 1; n <= 12; ++n) {
        SkinLabel *key = label(QStringLiteral("Key%1").arg(n));
        const QString image = QStringLiteral("Img_Key%1").arg(n);
        connect(key, &SkinLabel::entered, this, [this, key, image] {
            setPicture(image, QStringLiteral("KeyS_02"));
            startMarquee(key);
        });
        // Leaving and clicking both end the marquee before a menu opens, so
        // the menus see the real caption.
        const auto stop = [this, image] {
            setPicture(image, QStringLiteral("KeyS_01"));
            stopLabelRun();
        };
        connect(key, &SkinLabel::left, this, stop);
        connect(key, &SkinLabel::pressed, this, stop);
    }
}

void SkinnedContent::startMarquee(SkinLabel *key)
{
    if (m_marquee.running())
        stopLabelRun();
    m_marqueeLabel = key;
    m_marquee.start(key->text());
    emit marqueeStarted();
    m_labelRun.start();
}

void SkinnedContent::labelRunTick()
{
    if (!m_marquee.running() || !m_marqueeLabel)
        return;
    m_marqueeLabel->setText(m_marquee.tick());
}

void SkinnedContent::stopLabelRun()
{
    const bool wasRunning = m_marquee.running();
    m_labelRun.stop();
    if (!wasRunning)
        return;
    const QString caption = m_marquee.stop();
    if (m_marqueeLabel)
        m_marqueeLabel->setText(caption);
    m_marqueeLabel = nullptr;
    emit marqueeStopped();
}

void SkinnedContent::connectWebButton()
{
    SkinLabel *web = label(QStringLiteral("Btn_Web"));
    connect(web, &SkinLabel::entered, this,
            [this] { setPicture(QStringLiteral("Img_Web"), QStringLiteral("WebS_03")); });
    connect(web, &SkinLabel::left, this,
            [this] { setPicture(QStringLiteral("Img_Web"), QStringLiteral("WebS_01")); });
    connect(web, &SkinLabel::clicked, this, [this](Qt::MouseButton) {
        setPicture(QStringLiteral("Img_Web"), QStringLiteral("WebS_02"));
        openWebAddress();
    });
}

void SkinnedContent::openWebAddress()
{
    if (!m_webAddress.isValid() || m_webAddress.isEmpty())
        return;
    const bool opened =
        m_openUrl ? m_openUrl(m_webAddress) : QDesktopServices::openUrl(m_webAddress);
    if (opened)
        return;
    // A desktop without a program for web pages: the user can still open
    // the guide by hand.
    const QString where =
        m_webAddress.isLocalFile() ? m_webAddress.toLocalFile() : m_webAddress.toString();
    QString text = storedText(QStringLiteral("Str037"));
    if (text.isEmpty())
        text =
            QStringLiteral("No program on this desktop opens web pages. The user guide is at %1.");
    emit messageRequested(text.arg(where));
}

void SkinnedContent::connectBackground()
{
    connect(picture(QStringLiteral("Img_Base")), &SkinPicture::pressed, this,
            [this](Qt::MouseButton) {
                hideAllMenus();
                emit dragRequested();
            });
    // Click-away: a click on the background or the button page closes menus.
    for (const char *name : {"Img_Base", "Img_P1"}) {
        connect(picture(QString::fromLatin1(name)), &SkinPicture::clicked, this,
                [this](Qt::MouseButton) { hideAllMenus(); });
    }
}
