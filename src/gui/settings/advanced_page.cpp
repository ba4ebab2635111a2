#include "settings/advanced_page.h"

#include "configuration/configuration.h"
#include "settings/element_clicks.h"
#include "ui/skinned_content.h"

#include <QKeyEvent>
#include <QLineEdit>

AdvancedPage::AdvancedPage(SkinnedContent &skin, Configuration &config, QObject *parent)
    : QObject(parent), m_skin(skin), m_config(config)
{
    wireClicks();
    wireFireBoxes();
    // Apply, Confirm and Save store the boxes held to their limits, also
    // when focus never left one; afterwards the boxes show what was stored.
    for (auto signal : {&SkinnedContent::applyClicked, &SkinnedContent::confirmClicked,
                        &SkinnedContent::saveClicked})
        connect(&m_skin, signal, this, &AdvancedPage::showFireTexts);
}

void AdvancedPage::wireClicks()
{
    AdvancedPageModel &model = m_config.advancedPage();
    const auto renderIf = [this](bool changed) {
        if (changed)
            m_skin.renderPages();
    };
    onNumberedLeftClicks(m_skin, QStringLiteral("lbl_DPI"), AdvancedPageModel::kDpiLevelCount, this,
                         [&model, renderIf](int n) { renderIf(model.toggleDpiLevel(n)); });
    onNumberedLeftClicks(m_skin, QStringLiteral("Img_DPI"), AdvancedPageModel::kDpiLevelCount, this,
                         [&model, renderIf](int n) { renderIf(model.setCurrentDpi(n)); });
    onNumberedLeftClicks(m_skin, QStringLiteral("lbl_Rep"), AdvancedPageModel::kRateCount, this,
                         [&model, renderIf](int n) { renderIf(model.setReportRate(n)); });
    onNumberedLeftClicks(m_skin, QStringLiteral("lbl_FKMode"), AdvancedPageModel::kFireModeCount,
                         this, [&model, renderIf](int n) { renderIf(model.toggleFireMode(n)); });
}

void AdvancedPage::wireFireBoxes()
{
    for (int n = 1; n <= AdvancedPageModel::kFireKeyCount; ++n) {
        for (const bool delay : {false, true}) {
            const QString name =
                (delay ? QStringLiteral("Edt_DelayTime") : QStringLiteral("Edt_Repeat")) +
                QString::number(n);
            auto *edit = m_skin.element<QLineEdit>(name);
            if (!edit)
                continue;
            edit->setMaxLength(delay ? AdvancedPageModel::kDelayMaxLength
                                     : AdvancedPageModel::kRepeatMaxLength);
            edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            edit->installEventFilter(this);
            const FireBox box{edit, n, delay};
            m_boxes.append(box);
            connect(edit, &QLineEdit::textEdited, this,
                    [this, box](const QString &text) { textEdited(box, text); });
        }
    }
}

QString AdvancedPage::modelText(const FireBox &box) const
{
    const AdvancedPageModel &model = m_config.advancedPage();
    return box.delay ? model.delayText(box.fireKey) : model.repeatText(box.fireKey);
}

void AdvancedPage::textEdited(const FireBox &box, const QString &text)
{
    AdvancedPageModel &model = m_config.advancedPage();
    if (box.delay)
        model.setDelayText(box.fireKey, text);
    else
        model.setRepeatText(box.fireKey, text);
    // A paste may bring more than digits; the box keeps what the model kept.
    const QString kept = modelText(box);
    if (kept != text)
        box.edit->setText(kept);
}

void AdvancedPage::focusLeft(const FireBox &box)
{
    AdvancedPageModel &model = m_config.advancedPage();
    if (box.delay)
        model.commitDelay(box.fireKey);
    else
        model.commitRepeat(box.fireKey);
    if (box.edit->text() != modelText(box))
        box.edit->setText(modelText(box));
}

void AdvancedPage::showFireTexts()
{
    for (const FireBox &box : std::as_const(m_boxes)) {
        if (box.edit->text() != modelText(box))
            box.edit->setText(modelText(box));
    }
}

const AdvancedPage::FireBox *AdvancedPage::boxOf(QObject *watched) const
{
    for (const FireBox &box : m_boxes) {
        if (box.edit == watched)
            return &box;
    }
    return nullptr;
}

bool AdvancedPage::eventFilter(QObject *watched, QEvent *event)
{
    const FireBox *box = boxOf(watched);
    if (!box)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        // Only the typed characters are judged; keys without one (arrows,
        // Tab, shortcuts such as paste) keep their usual meaning.
        const QString text = static_cast<QKeyEvent *>(event)->text();
        if (!text.isEmpty() && text.at(0).isPrint() &&
            !AdvancedPageModel::Edt_Repeat1KeyPress(text.at(0)))
            return true;
    } else if (event->type() == QEvent::FocusOut) {
        focusLeft(*box);
    }
    return QObject::eventFilter(watched, event);
}
