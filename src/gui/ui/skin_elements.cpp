#include "ui/skin_elements.h"

#include "settings/setting_declarations.h"

#include "ui/skin_label.h"
#include "ui/skin_picture.h"

#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>

namespace skin_elements {
namespace {

// Designed sizes of the picture resources and of the elements on them.
constexpr QSize kCommandSize{72, 30};
constexpr QSize kPageButtonSize{125, 33};
constexpr QSize kKeyPictureSize{104, 31};
constexpr QSize kKeyLabelSize{97, 30};
constexpr QSize kWebSize{264, 21};
constexpr QSize kMacroButtonSize{110, 25};
constexpr QSize kDialogButtonSize{40, 25};
constexpr QSize kInsertStartSize{80, 25}; // the record button of the insert group
constexpr QSize kScaleStepSize{20, 8};
constexpr QSize kScaleLabelSize{28, 16};
constexpr QSize kDpiMarkerSize{16, 16};
constexpr QSize kDpiLabelSize{29, 18};
constexpr QSize kChoicePictureSize{14, 14};
constexpr QSize kChoiceLabelSize{100, 20};
constexpr QSize kFireEditSize{40, 20};
constexpr QSize kFireModeLabelSize{48, 18};
constexpr QSize kSwatchSize{48, 48};
constexpr QSize kIndicatorSize{14, 14};
constexpr QSize kOptionTextSize{180, 18};
// The delay group's option texts end where its fixed-delay edit begins (the
// layout sets their width when it places the edit).
constexpr QSize kDelayOptionTextSize{196, 18};
constexpr QSize kNoDeviceLabelSize{612, 44};
constexpr QSize kDelayGroupSize{290, 76};
// Cancel of the insert group takes a longer word than OK in some languages;
// its picture is drawn stretched to this width.
constexpr QSize kCancelButtonSize{58, 25};
constexpr QSize kInsertGroupSize{200, 176};

const QSize kPagePictureSizes[4] = {{472, 379}, {700, 324}, {620, 356}, {600, 346}};

QStringList numbered(const QString &stem, int count)
{
    QStringList names;
    for (int n = 1; n <= count; ++n)
        names << stem + QString::number(n);
    return names;
}

// Builds the elements; each new one lies in front of those made before.
class Builder
{
public:
    explicit Builder(QWidget *client) : m_client(client) {}

    QHash<QString, QWidget *> take() { return std::move(m_elements); }

    SkinPicture *picture(const QString &name, QSize size, QWidget *parent = nullptr)
    {
        return add(new SkinPicture(name, size, parent ? parent : m_client));
    }
    SkinLabel *label(const QString &name, QSize size, QWidget *parent = nullptr,
                     Qt::Alignment alignment = Qt::AlignCenter)
    {
        return add(new SkinLabel(name, size, parent ? parent : m_client, alignment));
    }
    // A clickable label on its own picture of the same size; the margins
    // keep its caption clear of the picture's edges and marks.
    void button(const QString &labelName, QSize size, QWidget *parent = nullptr,
                QMargins captionMargins = {})
    {
        picture(pictureOf(labelName), size, parent);
        label(labelName, size, parent)->setContentsMargins(captionMargins);
    }
    QLineEdit *edit(const QString &name, QSize size, QWidget *parent = nullptr)
    {
        auto *edit = add(new QLineEdit(parent ? parent : m_client));
        edit->setObjectName(name);
        edit->resize(size);
        return edit;
    }
    template <typename W> W *windowed(const QString &name, QSize size, QWidget *parent = nullptr)
    {
        auto *widget = add(new W(parent ? parent : m_client));
        widget->setObjectName(name);
        widget->resize(size);
        return widget;
    }

    // A ten-step scale: pictures then their number captions.
    void scale(const QString &stem)
    {
        for (int n = 1; n <= 10; ++n)
            picture(QStringLiteral("Img_") + stem + QString::number(n), kScaleStepSize);
        for (int n = 1; n <= 10; ++n)
            label(QStringLiteral("lbl_") + stem + QString::number(n), kScaleLabelSize)
                ->setText(QString::number(n));
    }
    // A choice: its indicator picture and its clickable caption.
    SkinLabel *choice(const QString &pictureName, const QString &labelName, QSize labelSize)
    {
        picture(pictureName, kChoicePictureSize);
        auto *caption = label(labelName, labelSize, nullptr, Qt::AlignLeft | Qt::AlignVCenter);
        caption->setIndent(kChoicePictureSize.width() + 8);
        return caption;
    }
    // Three delay-option rows: indicator and its clickable text.
    void optionRows(const QStringList &stems, QWidget *group, QSize textSize)
    {
        for (const QString &stem : stems) {
            picture(QStringLiteral("LED_") + stem, kIndicatorSize, group);
            label(QStringLiteral("IB_") + stem, textSize, group, Qt::AlignLeft | Qt::AlignVCenter);
        }
    }

private:
    template <typename W> W *add(W *widget)
    {
        widget->move(kOutside);
        m_elements.insert(widget->objectName(), widget);
        return widget;
    }

    QWidget *m_client;
    QHash<QString, QWidget *> m_elements;
};

QFrame *group(Builder &build, const QString &name, QSize size)
{
    auto *frame = build.windowed<QFrame>(name, size);
    frame->setFrameShape(QFrame::NoFrame);
    frame->setAttribute(Qt::WA_TranslucentBackground);
    return frame;
}

// A group drawn as a card of its own, so it goes with the group when the
// group is hidden (the skin's card colours).
QFrame *cardGroup(Builder &build, const QString &name, QSize size)
{
    auto *frame = build.windowed<QFrame>(name, size);
    frame->setAttribute(Qt::WA_StyledBackground);
    frame->setStyleSheet(QStringLiteral("QFrame#%1 { background: rgb(29, 33, 41); "
                                        "border: 1px solid rgb(48, 54, 66); border-radius: 8px; }")
                             .arg(name));
    return frame;
}

} // namespace

QString pictureOf(const QString &labelName)
{
    if (labelName.startsWith(QLatin1String("Btn_")))
        return QStringLiteral("Img_") + labelName.mid(4);
    return QStringLiteral("Img_") + labelName;
}

QHash<QString, QWidget *> create(QWidget *client)
{
    Builder build(client);
    build.picture(QStringLiteral("Img_Base"), {800, 600})->move(0, 0);
    for (int page = 1; page <= 4; ++page)
        build.picture(QStringLiteral("Img_P%1").arg(page), kPagePictureSizes[page - 1]);
    build.picture(QStringLiteral("Img_InsertBase"), kInsertGroupSize)->hide();

    // Captions keep clear of the accent tick on a command's left edge and of
    // the tabs' rounded borders.
    for (const QString &name : commandButtons())
        build.button(name, kCommandSize, nullptr, {6, 0, 2, 0});
    for (const auto *list : {&pageButtons(), &fileButtons(), &languageButtons()}) {
        for (const QString &name : *list)
            build.button(name, kPageButtonSize, nullptr, {4, 0, 4, 0});
    }
    build.button(QStringLiteral("Btn_Web"), kWebSize);

    for (const char *name : {"lbl_NoDev", "lbl_CheckDev", "lbl_TypeError", "lbl_IDError"})
        build.label(QString::fromLatin1(name), kNoDeviceLabelSize)->hide();

    // Mouse-button page.
    for (int n = 1; n <= settings::kButtonsPerProfile; ++n) {
        build.picture(QStringLiteral("Img_Key%1").arg(n), kKeyPictureSize);
        build.label(QStringLiteral("Key%1").arg(n), kKeyLabelSize)->setContentsMargins(3, 0, 3, 0);
    }

    // Advanced page.
    for (const char *stem : {"Spd", "DbSpd", "ScrSpd"})
        build.scale(QString::fromLatin1(stem));
    for (int n = 1; n <= 8; ++n)
        build.picture(QStringLiteral("Img_DPI%1").arg(n), kDpiMarkerSize);
    // The captions stand 29 pixels apart; they share one size at which the
    // longest fits (set with the language).
    for (int n = 1; n <= 8; ++n)
        build.label(QStringLiteral("lbl_DPI%1").arg(n), kDpiLabelSize);
    // The choices' names are on the page picture beside their indicators;
    // the labels are the clickable areas over indicator and name.
    build.choice(QStringLiteral("Img_Rep1"), QStringLiteral("lbl_Rep1"), kChoiceLabelSize);
    build.choice(QStringLiteral("Img_Rep2"), QStringLiteral("lbl_Rep2"), kChoiceLabelSize);
    for (int n = 1; n <= 4; ++n)
        build.label(QStringLiteral("lbl_FKMode%1").arg(n), kFireModeLabelSize);

    // Breathing-light page.
    for (const char *stem : {"Off", "Raise", "On", "Fall"})
        build.scale(QString::fromLatin1(stem));
    for (const char *mode : {"Random", "Colorful", "Custom"}) {
        const QString stem = QString::fromLatin1(mode);
        build.choice(QStringLiteral("Img_") + stem, QStringLiteral("lbl_") + stem,
                     kChoiceLabelSize);
    }
    for (int n = 1; n <= 2; ++n)
        build.choice(QStringLiteral("Img_LEDColMode%1").arg(n),
                     QStringLiteral("lbl_LEDColMode%1").arg(n), kChoiceLabelSize);
    for (int n = 1; n <= 2; ++n) {
        // The swatch lies under its frame picture; the clickable label on top.
        auto *swatch = build.windowed<QFrame>(QStringLiteral("cs_Mode%1").arg(n), kSwatchSize);
        swatch->setFrameShape(QFrame::Box);
        swatch->setAutoFillBackground(true);
        build.picture(QStringLiteral("Img_Mode%1Color").arg(n), kSwatchSize);
        build.label(QStringLiteral("lbl_csmode%1").arg(n), kSwatchSize);
    }

    // The breathing page's one line for a mouse whose light is not configurable.
    build.label(QStringLiteral("lbl_BreathNote"), {kPagePictureSizes[2].width(), 20})->hide();

    // Macro page buttons.
    // The captions keep clear of the accent tick on the buttons' left edge.
    for (const QString &name : macroCommandButtons() + QStringList{QStringLiteral("Btn_Start")})
        build.button(name, kMacroButtonSize, nullptr, {7, 0, 3, 0});

    // The read-only cover of the pages lies in front of every label above.
    build.label(QStringLiteral("Disable"), {0, 0});

    // Windowed controls: not covered by Disable, locked separately.
    for (int n = 1; n <= 4; ++n) {
        for (const char *stem : {"Edt_Repeat", "Edt_DelayTime"}) {
            auto *edit = build.edit(QString::fromLatin1(stem) + QString::number(n), kFireEditSize);
            edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    build.windowed<QListWidget>(QStringLiteral("LB_MacroName"), {160, 230});
    build.windowed<QListWidget>(QStringLiteral("LB_macro"), {260, 160});

    QFrame *delay = cardGroup(build, QStringLiteral("Gb_Delay"), kDelayGroupSize);
    build.optionRows(
        {QStringLiteral("RecDelay"), QStringLiteral("DelayTime"), QStringLiteral("NoDelay")}, delay,
        kDelayOptionTextSize);
    build.edit(QStringLiteral("Edt_Delay"), {52, 20}, delay)->setText(QStringLiteral("50"));

    QFrame *insert = group(build, QStringLiteral("Gb_Insert"), kInsertGroupSize);
    insert->hide();
    auto *choices = build.windowed<QComboBox>(QStringLiteral("CB_Insert"), {176, 22}, insert);
    choices->addItems(QStringList(4, QString()));
    build.optionRows({QStringLiteral("InsertRecDelay"), QStringLiteral("InsertDelayTime"),
                      QStringLiteral("InsertNoDelay")},
                     insert, kOptionTextSize);
    build.edit(QStringLiteral("Edt_InsertDelay"), {42, 20}, insert)->setText(QStringLiteral("50"));
    build.label(QStringLiteral("lbl_Delay"), {72, 18}, insert, Qt::AlignRight | Qt::AlignVCenter);
    build.label(QStringLiteral("lbl_s_A"), {30, 18}, insert, Qt::AlignLeft | Qt::AlignVCenter);
    build.button(QStringLiteral("Btn_InsertStart"), kInsertStartSize, insert, {7, 0, 3, 0});
    build.button(QStringLiteral("Btn_OK"), kDialogButtonSize, insert, {4, 0, 2, 0});
    build.button(QStringLiteral("Btn_Cancel"), kCancelButtonSize, insert, {5, 0, 2, 0});
    for (const char *stretched : {"Img_Cancel", "Img_InsertStart"})
        client->findChild<SkinPicture *>(QString::fromLatin1(stretched))->setStretched(true);

    // Only the first option of each set is lit at start.
    for (const char *name :
         {"LED_DelayTime", "LED_NoDelay", "LED_InsertDelayTime", "LED_InsertNoDelay"})
        client->findChild<QWidget *>(QString::fromLatin1(name))->hide();

    // The input cover lies in front of everything.
    SkinLabel *cover = build.label(QStringLiteral("Disable_All"), {800, 600});
    cover->move(0, 0);
    cover->hide();
    return build.take();
}

const QStringList &pageElements(int page)
{
    static const QStringList sets[4] = {
        QStringList{QStringLiteral("Img_P1")} +
            numbered(QStringLiteral("Key"), settings::kButtonsPerProfile) +
            numbered(QStringLiteral("Img_Key"), settings::kButtonsPerProfile),
        [] {
            QStringList names{QStringLiteral("Img_P2")};
            for (const char *stem : {"Spd", "DbSpd", "ScrSpd"}) {
                names += numbered(QStringLiteral("lbl_") + QLatin1String(stem), 10);
                names += numbered(QStringLiteral("Img_") + QLatin1String(stem), 10);
            }
            names +=
                numbered(QStringLiteral("lbl_DPI"), 8) + numbered(QStringLiteral("Img_DPI"), 8);
            names += {QStringLiteral("lbl_Rep1"), QStringLiteral("lbl_Rep2"),
                      QStringLiteral("Img_Rep1"), QStringLiteral("Img_Rep2")};
            names += numbered(QStringLiteral("Edt_Repeat"), 4) +
                     numbered(QStringLiteral("Edt_DelayTime"), 4) +
                     numbered(QStringLiteral("lbl_FKMode"), 4);
            return names;
        }(),
        [] {
            QStringList names{QStringLiteral("Img_P3")};
            for (const char *stem : {"Off", "Raise", "On", "Fall"}) {
                names += numbered(QStringLiteral("lbl_") + QLatin1String(stem), 10);
                names += numbered(QStringLiteral("Img_") + QLatin1String(stem), 10);
            }
            for (const char *stem : {"Random", "Colorful", "Custom", "LEDColMode1", "LEDColMode2"})
                names += {QStringLiteral("lbl_") + QLatin1String(stem),
                          QStringLiteral("Img_") + QLatin1String(stem)};
            for (int n = 1; n <= 2; ++n)
                names +=
                    {QStringLiteral("lbl_csmode%1").arg(n),
                     QStringLiteral("Img_Mode%1Color").arg(n), QStringLiteral("cs_Mode%1").arg(n)};
            return names;
        }(),
        [] {
            QStringList names{QStringLiteral("Img_P4"), QStringLiteral("LB_MacroName"),
                              QStringLiteral("LB_macro")};
            for (const QString &button :
                 macroCommandButtons() + QStringList{QStringLiteral("Btn_Start")})
                names += {button, pictureOf(button)};
            return names;
        }(),
    };
    static const QStringList none;
    return page >= 1 && page <= 4 ? sets[page - 1] : none;
}

const QStringList &commandButtons()
{
    static const QStringList names{QStringLiteral("Btn_Confirm"), QStringLiteral("Btn_Apply"),
                                   QStringLiteral("Btn_Reset"), QStringLiteral("Btn_Exit")};
    return names;
}

const QStringList &pageButtons()
{
    static const QStringList names{QStringLiteral("Btn_Main"),   QStringLiteral("Btn_Switch"),
                                   QStringLiteral("Btn_Fixed"),  QStringLiteral("Btn_Adv"),
                                   QStringLiteral("Btn_Breath"), QStringLiteral("Btn_Macro")};
    return names;
}

const QStringList &fileButtons()
{
    static const QStringList names{QStringLiteral("Btn_Save"), QStringLiteral("Btn_Load")};
    return names;
}

const QStringList &languageButtons()
{
    static const QStringList names = numbered(QStringLiteral("Btn_Lang"), 3);
    return names;
}

const QStringList &macroCommandButtons()
{
    static const QStringList names{QStringLiteral("Btn_New"),       QStringLiteral("Btn_Clear"),
                                   QStringLiteral("Btn_ExportOne"), QStringLiteral("Btn_Export"),
                                   QStringLiteral("Btn_ImportOne"), QStringLiteral("Btn_Import"),
                                   QStringLiteral("Btn_Del"),       QStringLiteral("Btn_Insert")};
    return names;
}

const QStringList &recordButtons()
{
    static const QStringList names{QStringLiteral("Btn_Start"), QStringLiteral("Btn_InsertStart")};
    return names;
}

const QStringList &insertDialogButtons()
{
    static const QStringList names{QStringLiteral("Btn_OK"), QStringLiteral("Btn_Cancel")};
    return names;
}

} // namespace skin_elements
