#include "macros/macro_name_dialog.h"

#include "app/window_shape.h"
#include "ui/skin_images.h"
#include "ui/skin_label.h"
#include "ui/skin_picture.h"

#include <QLineEdit>

namespace {

// Where the background picture has its field, buttons and close mark.
const QRect kTitleRect(14, 24, 300, 26);
// The field fills the white well the background draws for it (209 x 22).
const QRect kFieldRect(56, 68, 209, 22);
const QRect kConfirmRect(44, 134, 97, 30);
const QRect kCancelRect(196, 134, 97, 30);
const QRect kCloseRect(316, 6, 30, 30);

SkinLabel *dialogLabel(const char *name, const QRect &geometry, Qt::Alignment alignment,
                       QWidget *parent)
{
    auto *label = new SkinLabel(QString::fromLatin1(name), geometry.size(), parent, alignment);
    label->move(geometry.topLeft());
    label->setTextColour(Qt::white);
    return label;
}

// A button's hover picture lies under it and shows while the pointer is over it.
void addHoverPicture(const char *name, const QString &pictureName, SkinLabel *button,
                     QWidget *parent)
{
    auto *picture = new SkinPicture(QString::fromLatin1(name), button->size(), parent);
    picture->move(button->pos());
    picture->setPicture(pictureName);
    picture->hide();
    picture->stackUnder(button);
    QObject::connect(button, &SkinLabel::entered, picture, &QWidget::show);
    QObject::connect(button, &SkinLabel::left, picture, &QWidget::hide);
}

} // namespace

MacroNameDialog::MacroNameDialog(const TextLookup &text, ConfirmHandler onConfirm, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_onConfirm(std::move(onConfirm))
{
    setObjectName(QStringLiteral("TForm3"));
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_DeleteOnClose);
    const auto lookup = [&text](const char *key) {
        return text ? text(QString::fromLatin1(key)) : QString();
    };

    auto *background = new SkinPicture(QStringLiteral("Img_Assembly"), size(), this);
    background->setPicture(QStringLiteral("MacroNameBack"));
    // The background's see-through colour is cut away, as for the main window.
    const QPixmap back = skinPixmap(QStringLiteral("MacroNameBack"));
    if (!back.isNull())
        setMask(windowShape(back.toImage(), qRgb(128, 0, 0)));

    SkinLabel *title =
        dialogLabel("lbl_MacroName", kTitleRect, Qt::AlignLeft | Qt::AlignVCenter, this);
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPixelSize(18);
    title->setFont(bold);
    title->setText(lookup("Str510"));

    m_field = new QLineEdit(this);
    m_field->setObjectName(QStringLiteral("Edt_MacroName"));
    m_field->setGeometry(kFieldRect);
    m_field->setMaxLength(kMaxNameLength);
    m_field->setFrame(false);
    m_field->setStyleSheet(QStringLiteral("QLineEdit { background: white; color: black; }"));
    connect(m_field, &QLineEdit::returnPressed, this, &MacroNameDialog::IB_ConfirmClick);
    // The dialog opens ready for typing.
    setFocusProxy(m_field);

    SkinLabel *confirm = dialogLabel("IB_Confirm", kConfirmRect, Qt::AlignCenter, this);
    SkinLabel *cancel = dialogLabel("IB_Cancel", kCancelRect, Qt::AlignCenter, this);
    confirm->setText(lookup("Str511"));
    cancel->setText(lookup("Str512"));
    addHoverPicture("Img_Confirm", QStringLiteral("DlgBtnS_01"), confirm, this);
    addHoverPicture("Img_Cancel", QStringLiteral("DlgBtnS_02"), cancel, this);
    connect(confirm, &SkinLabel::clicked, this, [this](Qt::MouseButton) { IB_ConfirmClick(); });
    connect(cancel, &SkinLabel::clicked, this, [this](Qt::MouseButton) { IB_CancelClick(); });

    // The close mark is on the picture; the label is only its click area.
    SkinLabel *close = dialogLabel("IB_Close", kCloseRect, Qt::AlignCenter, this);
    connect(close, &SkinLabel::clicked, this, [this](Qt::MouseButton) { IB_CloseClick(); });
}

void MacroNameDialog::IB_ConfirmClick()
{
    // An empty name changes nothing; the dialog closes all the same.
    const QString name = m_field->text();
    if (!name.isEmpty() && m_onConfirm)
        m_onConfirm(name);
    close();
}

void MacroNameDialog::IB_CancelClick()
{
    m_field->clear();
}

void MacroNameDialog::IB_CloseClick()
{
    close();
}
