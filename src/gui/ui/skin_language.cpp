#include "ui/skin_language.h"

#include "configuration/configuration.h"
#include "settings/setting_declarations.h"
#include "ui/skin_element_set.h"
#include "ui/skin_label.h"
#include "ui/skin_layout.h"
#include "ui/skin_marquee.h"
#include "ui/skin_model_view.h"
#include "ui/skin_pages.h"
#include "ui/skin_signals.h"

#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>

namespace {

struct Caption
{
    const char *element;
    const char *key;
};

// Captions set from one key each.
constexpr Caption kCaptions[] = {
    {"Btn_Confirm", "Str000"},     {"Btn_Apply", "Str001"},     {"Btn_Reset", "Str002"},
    {"Btn_Exit", "Str003"},        {"Btn_Main", "Str004"},      {"Btn_Switch", "Str005"},
    {"Btn_Fixed", "Str006"},       {"Btn_Adv", "Str007"},       {"Btn_Breath", "Str008"},
    {"Btn_Macro", "Str014"},       {"Btn_Save", "Str009"},      {"Btn_Load", "Str010"},
    {"Btn_Lang1", "Str011"},       {"Btn_Lang2", "Str012"},     {"Btn_Lang3", "Str013"},
    {"lbl_NoDev", "Str100"},       {"lbl_CheckDev", "Str101"},  {"lbl_TypeError", "Str102"},
    {"lbl_IDError", "Str103"},     {"lbl_DPI1", "Str300"},      {"lbl_DPI2", "Str301"},
    {"lbl_DPI3", "Str302"},        {"lbl_DPI4", "Str303"},      {"lbl_DPI5", "Str304"},
    {"lbl_DPI6", "Str305"},        {"lbl_DPI7", "Str306"},      {"lbl_DPI8", "Str307"},
    {"lbl_FKMode1", "Str310"},     {"lbl_FKMode2", "Str311"},   {"lbl_FKMode3", "Str312"},
    {"lbl_FKMode4", "Str313"},     {"Btn_New", "Str402"},       {"Btn_Start", "Str400"},
    {"Btn_Clear", "Str403"},       {"Btn_ExportOne", "Str404"}, {"Btn_Export", "Str405"},
    {"Btn_ImportOne", "Str406"},   {"Btn_Import", "Str407"},    {"Btn_Del", "Str408"},
    {"Btn_Insert", "Str409"},      {"lbl_Delay", "Str417"},     {"lbl_s_A", "Str418"},
    {"Btn_InsertStart", "Str400"}, {"Btn_OK", "Str420"},        {"Btn_Cancel", "Str422"},
};

// Option texts, indented past their indicator by seven blanks. The delay
// group's own three rows carry the same texts as the insert group's.
constexpr Caption kOptionCaptions[] = {
    {"IB_InsertRecDelay", "Str414"}, {"IB_InsertDelayTime", "Str415"},
    {"IB_InsertNoDelay", "Str416"},  {"IB_RecDelay", "Str414"},
    {"IB_DelayTime", "Str415"},      {"IB_NoDelay", "Str416"},
};

// Entries of the function menus: a blank, the bullet, a blank and the text.
constexpr Caption kMenuCaptions[] = {
    {"Key_Standard", "Str201"},
    {"Key_Special", "Str202"},
    {"Key_Media", "Str203"},
    {"Key_WWW", "Str204"},
    {"Key_Assembly", "Str205"},
    {"Key_Macro", "Str206"},
    {"Key_L", "Str210"},
    {"Key_Left", "Str210"},
    {"Key_R", "Str211"},
    {"Key_Right", "Str211"},
    {"Key_M", "Str212"},
    {"Key_Middle", "Str212"},
    {"Key_B4", "Str213"},
    {"Key_B5", "Str214"},
    {"Key_ACPI", "Str220"},
    {"Key_Power", "Str221"},
    {"Key_Sleep", "Str222"},
    {"Key_WakeUp", "Str223"},
    {"Key_Fire", "Str230"},
    {"Key_FireMode1", "Str231"},
    {"Key_FireMode2", "Str232"},
    {"Key_FireMode3", "Str233"},
    {"Key_FireMode4", "Str234"},
    {"Key_FireMode", "Str240"},
    {"Key_AIM", "Str241"},
    {"Key_Profile", "Str242"},
    {"Key_CPI", "Str243"},
    {"Key_ReportRate", "Str244"},
    {"Key_Default", "Str245"},
    {"Key_LEDMode", "Str246"},
    {"Key_CPII", "Str247"},
    {"Key_CPID", "Str248"},
    {"Key_PlayPause", "Str250"},
    {"Key_Stop", "Str251"},
    {"Key_PreviousTrack", "Str252"},
    {"Key_NextTrack", "Str253"},
    {"Key_VolumePlus", "Str254"},
    {"Key_VolumeMinus", "Str255"},
    {"Key_Mute", "Str256"},
    {"Key_WWWHome", "Str260"},
    {"Key_WWWSearch", "Str261"},
    {"Key_WWWBack", "Str262"},
    {"Key_WWWForward", "Str263"},
    {"Key_WWWStop", "Str264"},
    {"Key_WWWRefresh", "Str265"},
    {"Key_WWWFavorites", "Str266"},
};

// Texts other parts of the window fetch later in the current language.
QStringList storedKeys()
{
    QStringList keys{"Title",  "Str020", "Str021", "Str022", "Str037", "Str206",
                     "Str242", "Str245", "Str400", "Str401", "Str420", "Str421",
                     "Str430", "Str431", "Str432", "Str450"};
    for (int n = 320; n <= 331; ++n)
        keys << QStringLiteral("Str%1").arg(n);
    return keys;
}

} // namespace

SkinLanguage::SkinLanguage(SkinElementSet &elements, Configuration &configuration,
                           SkinLayout &layout, SkinModelView &view, SkinPages &pages,
                           SkinMarquee &marquee, QHash<QString, QString> &storedTexts,
                           SkinSignals &events)
    : m_elements(elements), m_configuration(configuration), m_layout(layout), m_view(view),
      m_pages(pages), m_marquee(marquee), m_storedTexts(storedTexts), m_events(events)
{}

void SkinLanguage::applyLanguage(int language)
{
    m_layout.applyLayout(language);
    m_configuration.setLanguage(language);
    const LanguageTable texts = OpenLanguage(language);
    applyCaptions(texts);
    // The marking colours may have changed with the layout; the button
    // captions were re-translated above and stay as they are.
    m_view.renderPages();
    emit m_events.titleChanged(applicationTitle());
}

void SkinLanguage::applyCaptions(const LanguageTable &texts)
{
    const auto text = [&texts](const char *key) {
        return LanguageText(texts, QString::fromLatin1(key));
    };
    for (const QString &key : storedKeys())
        m_storedTexts.insert(key, LanguageText(texts, key));

    for (const Caption &caption : kCaptions) {
        if (auto *target = m_elements.element<QLabel>(QString::fromLatin1(caption.element)))
            target->setText(text(caption.key));
    }
    m_pages.showNoAccessTexts(text);
    for (const Caption &caption : kOptionCaptions) {
        if (auto *target = m_elements.element<QLabel>(QString::fromLatin1(caption.element)))
            target->setText(QString(7, QLatin1Char(' ')) + text(caption.key));
    }

    retranslateButtonCaptions(texts);
    fitDpiCaptions();

    const QString bullet = QLatin1Char(' ') + text("Str200") + QLatin1Char(' ');
    for (const Caption &caption : kMenuCaptions) {
        if (auto *target = m_elements.element<QLabel>(QString::fromLatin1(caption.element)))
            target->setText(bullet + text(caption.key));
    }

    if (auto *choices = m_elements.element<QComboBox>(QStringLiteral("CB_Insert"))) {
        for (int item = 0; item < 4 && item < choices->count(); ++item)
            choices->setItemText(item,
                                 LanguageText(texts, QStringLiteral("Str%1").arg(410 + item)));
    }
}

void SkinLanguage::retranslateButtonCaptions(const LanguageTable &texts)
{
    // Button captions show each button's function: a caption that is one of
    // the language texts becomes that text in the new language; composed
    // captions (key combinations, macro names) stay as they are.
    for (int n = 1; n <= settings::kButtonsPerProfile; ++n) {
        SkinLabel *key = m_elements.label(QStringLiteral("Key%1").arg(n));
        // A running marquee shows a scrolled text; the caption is the original.
        const bool scrolling = m_marquee.scrolls(key);
        const QString current = scrolling ? m_marquee.original() : key->text();
        const QString found = FindTextKey(current);
        if (found.isEmpty())
            continue;
        const QString translated = LanguageText(texts, found);
        if (scrolling)
            m_marquee.restart(translated);
        else
            key->setText(translated);
    }
}

void SkinLanguage::fitDpiCaptions()
{
    // One size for the whole row, the largest at which every level fits,
    // rather than "800" large beside squeezed four-digit levels.
    QList<SkinLabel *> captions;
    for (int n = 1; n <= 8; ++n) {
        if (SkinLabel *caption = m_elements.label(QStringLiteral("lbl_DPI%1").arg(n)))
            captions << caption;
    }
    if (captions.isEmpty())
        return;
    constexpr int kGap = 5; // between neighbouring captions
    QFont font = captions.constFirst()->font();
    font.setPointSize(m_layout.dpiPointSize() > 0 ? m_layout.dpiPointSize() : font.pointSize());
    int pixels = QFontInfo(font).pixelSize();
    const auto fits = [&] {
        const QFontMetrics metrics(font);
        for (SkinLabel *caption : std::as_const(captions)) {
            if (metrics.horizontalAdvance(caption->text()) > caption->contentsRect().width() - kGap)
                return false;
        }
        return true;
    };
    while (pixels > SkinLabel::kSmallestPixels && !fits())
        font.setPixelSize(--pixels);
    for (SkinLabel *caption : std::as_const(captions))
        caption->setFont(font);
}

void SkinLanguage::languageButtonClick(int language)
{
    if (language < 1 || language > 3)
        return;
    for (int n = 1; n <= 3; ++n)
        m_elements.setPicture(QStringLiteral("Img_Lang%1").arg(n), n == language
                                                                       ? QStringLiteral("SetS_02")
                                                                       : QStringLiteral("SetS_01"));
    auto *choices = m_elements.element<QComboBox>(QStringLiteral("CB_Insert"));
    const int choice = choices ? choices->currentIndex() : -1;
    m_elements.find(QStringLiteral("Gb_Delay"))->hide();

    m_configuration.state().CurrentLanguage = language;
    applyLanguage(language);

    if (choices)
        choices->setCurrentIndex(choice);
    emit m_events.titleChanged(applicationTitle());
    m_pages.refreshAPPage();
}

void SkinLanguage::markSelectedLanguageButton()
{
    m_elements.setPicture(QStringLiteral("Img_Lang%1").arg(m_configuration.state().CurrentLanguage),
                          QStringLiteral("SetS_02"));
}
