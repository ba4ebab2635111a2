#include "buttons/key_combination_dialog.h"

#include "app/window_shape.h"
#include "input/key_mapping.h"
#include "ui/skin_images.h"
#include "ui/skin_label.h"
#include "ui/skin_picture.h"

#include <QBitmap>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

constexpr struct
{
    const char *name;
    KeyCombinationModel::Modifier modifier;
    int left;
} kModifierBoxes[] = {
    {"CB_Ctrl", KeyCombinationModel::Ctrl, 56},
    {"CB_Shift", KeyCombinationModel::Shift, 110},
    {"CB_Alt", KeyCombinationModel::Alt, 176},
    {"CB_Win", KeyCombinationModel::Win, 232},
};

QFont pixelFont(const QString &family, int pixels, bool bold)
{
    QFont font;
    if (!family.isEmpty()) {
        font.setFamily(family);
        font.setStyleHint(QFont::SansSerif);
    }
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

SkinLabel *whiteLabel(const char *name, const QRect &geometry, Qt::Alignment alignment,
                      QWidget *parent)
{
    auto *label = new SkinLabel(QString::fromLatin1(name), geometry.size(), parent, alignment);
    label->move(geometry.topLeft());
    label->setTextColour(Qt::white);
    return label;
}

// A hover picture under a dialog button: shown while the pointer is over it.
SkinPicture *hoverPicture(const char *name, const QString &pictureName, const QRect &geometry,
                          SkinLabel *button, QWidget *parent)
{
    auto *picture = new SkinPicture(QString::fromLatin1(name), geometry.size(), parent);
    picture->move(geometry.topLeft());
    picture->setPicture(pictureName);
    picture->hide();
    QObject::connect(button, &SkinLabel::entered, picture, &QWidget::show);
    QObject::connect(button, &SkinLabel::left, picture, &QWidget::hide);
    return picture;
}

} // namespace

KeyCombinationDialog::KeyCombinationDialog(KeyCombinationModel &capture, const TextLookup &text, ConfirmHandler onConfirm,
               std::function<void()> onClear, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_capture(capture), m_text(text), m_onConfirm(std::move(onConfirm)),
      m_onClear(std::move(onClear))
{
    setObjectName(QStringLiteral("TForm2"));
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_DeleteOnClose);

    m_background = new SkinPicture(QStringLiteral("Img_Assembly"), size(), this);
    m_background->setPicture(QStringLiteral("AssemblyBack"));
    // Shaped like the main window: the background's see-through colour is cut away.
    const QPixmap back = skinPixmap(QStringLiteral("AssemblyBack"));
    if (!back.isNull())
        setMask(windowShape(back.toImage(), qRgb(128, 0, 0)));

    m_title = whiteLabel("lbl_Assembly", {10, 25, 164, 24}, Qt::AlignLeft | Qt::AlignVCenter, this);
    m_title->setFont(pixelFont(QStringLiteral("Arial"), 19, true));

    m_field = new QLineEdit(this);
    m_field->setObjectName(QStringLiteral("Edt_Assembly"));
    m_field->setGeometry(56, 68, 209, 22);
    m_field->setReadOnly(true);
    m_field->setFrame(false);
    m_field->setFont(pixelFont(QString(), 16, false));
    m_field->setStyleSheet(QStringLiteral("QLineEdit { background: white; color: black; }"));
    m_field->installEventFilter(this);

    for (const auto &box : kModifierBoxes) {
        auto *check = new QCheckBox(KeyCombinationModel::modifierWord(box.modifier), this);
        check->setObjectName(QString::fromLatin1(box.name));
        check->setGeometry(box.left, 96, 44, 19);
        // A ticked box is filled with the accent, plain to see on the dark
        // card; an empty one is a lit outline.
        check->setStyleSheet(
            QStringLiteral("QCheckBox { color: white; spacing: 4px; }"
                           "QCheckBox::indicator { width: 11px; height: 11px; border-radius: 3px;"
                           " border: 1px solid rgb(150, 158, 174); background: rgb(29, 33, 41); }"
                           "QCheckBox::indicator:checked { border: 1px solid rgb(255, 128, 84);"
                           " background: rgb(255, 74, 40); }"));
        // The words must fit the 44-pixel boxes beside their tick marks.
        check->setFont(pixelFont(QString(), 10, false));
        const KeyCombinationModel::Modifier modifier = box.modifier;
        connect(check, &QCheckBox::toggled, this,
                [this, modifier](bool ticked) { modifierClicked(modifier, ticked); });
        m_boxes[box.modifier] = check;
    }

    const QRect confirmRect(44, 134, 97, 29);
    const QRect clearRect(196, 134, 97, 29);
    m_confirm = whiteLabel("IB_Confirm", confirmRect, Qt::AlignCenter, this);
    m_clear = whiteLabel("IB_Cancel", clearRect, Qt::AlignCenter, this);
    for (SkinLabel *button : {m_confirm, m_clear}) {
        QFont bold = button->font();
        bold.setBold(true);
        button->setFont(bold);
    }
    // The hover pictures are 30 high; they lie under their 29-pixel buttons.
    hoverPicture("Img_Confirm", QStringLiteral("DlgBtnS_01"), confirmRect.adjusted(0, 0, 0, 1),
                 m_confirm, this)
        ->stackUnder(m_confirm);
    hoverPicture("Img_Cancel", QStringLiteral("DlgBtnS_02"), clearRect.adjusted(0, 0, 0, 1),
                 m_clear, this)
        ->stackUnder(m_clear);
    auto *close = new SkinLabel(QStringLiteral("IB_Close"), {30, 30}, this);
    close->move(316, 6);

    const auto leftClick = [](void (KeyCombinationDialog::*handler)(), KeyCombinationDialog *dialog) {
        return [dialog, handler](Qt::MouseButton button) {
            if (button == Qt::LeftButton)
                (dialog->*handler)();
        };
    };
    connect(m_confirm, &SkinLabel::clicked, this, leftClick(&KeyCombinationDialog::IB_ConfirmClick, this));
    connect(m_clear, &SkinLabel::clicked, this, leftClick(&KeyCombinationDialog::IB_CancelClick, this));
    connect(close, &SkinLabel::clicked, this, leftClick(&KeyCombinationDialog::IB_CloseClick, this));

    FormCreate();
}

void KeyCombinationDialog::FormCreate()
{
    m_capture.reset();
    for (QCheckBox *box : m_boxes) {
        const QSignalBlocker quiet(box);
        box->setChecked(false);
    }
    showModel();
    applyCaptions();
    CBSetFocus();
}

void KeyCombinationDialog::applyCaptions()
{
    const auto text = [this](const char *key) {
        return m_text ? m_text(QString::fromLatin1(key)) : QString();
    };
    m_title->setText(text("Str500"));
    m_confirm->setText(text("Str501"));
    m_clear->setText(text("Str502"));
    setWindowTitle(m_title->text());
}

QPoint KeyCombinationDialog::placeOver(const QRect &mainWindow)
{
    return {mainWindow.x() + (mainWindow.width() - kWidth) / 2,
            mainWindow.y() + (mainWindow.height() - kHeight) / 2 + 40};
}

void KeyCombinationDialog::Edt_AssemblyKeyDown(int virtualKey, bool shiftHeld, bool altHeld, bool ctrlHeld)
{
    m_capture.keyDown(virtualKey, shiftHeld, altHeld, ctrlHeld);
    showModel();
}

bool KeyCombinationDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Every key pressed in the key field is captured, Tab included: the
    // field would otherwise lose the focus to the check boxes.
    if (watched == m_field && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers held = key->modifiers();
        Edt_AssemblyKeyDown(virtualKeyFromKeyEvent(*key), held & Qt::ShiftModifier,
                            held & Qt::AltModifier, held & Qt::ControlModifier);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void KeyCombinationDialog::modifierClicked(KeyCombinationModel::Modifier modifier, bool ticked)
{
    m_capture.setModifier(modifier, ticked);
    showModel();
    CBSetFocus();
}

void KeyCombinationDialog::CBSetFocus()
{
    m_field->setFocus(Qt::OtherFocusReason);
}

void KeyCombinationDialog::showModel()
{
    m_field->setText(m_capture.fieldText());
}

void KeyCombinationDialog::IB_ConfirmClick()
{
    const KeyCombinationModel::Result result = m_capture.confirm();
    if (m_onConfirm)
        m_onConfirm(result);
    close();
}

void KeyCombinationDialog::IB_CancelClick()
{
    m_capture.clear();
    for (QCheckBox *box : m_boxes) {
        const QSignalBlocker quiet(box);
        box->setChecked(false);
    }
    showModel();
    if (m_onClear)
        m_onClear();
    CBSetFocus();
}

void KeyCombinationDialog::IB_CloseClick()
{
    close();
}
