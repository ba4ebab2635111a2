#pragma once

#include "records/text_lookup.h"
#include "buttons/key_combination_model.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QLineEdit;
class SkinLabel;
class SkinPicture;

// The key-combination dialog: frameless, always on top, not modal, shaped by
// its background picture. The user ticks modifiers and presses keys in the
// key field; Confirm hands the caption and code to the button page. All the
// rules of what a key press or a tick does live in KeyCombinationModel; the
// dialog shows the model and forwards the input.
class KeyCombinationDialog : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kWidth = 354;
    static constexpr int kHeight = 179;

    using ConfirmHandler = std::function<void(const KeyCombinationModel::Result &)>;

    // `capture` outlives the dialog; `parent` is the main window, which the
    // dialog stays with and is placed over.
    KeyCombinationDialog(KeyCombinationModel &capture, const TextLookup &text, ConfirmHandler onConfirm,
           std::function<void()> onClear, QWidget *parent);

    // FormCreate: empty field, nothing captured, nothing ticked, captions
    // applied, focus to the key field.
    void FormCreate();
    // Captions Str500-Str502 in the current language.
    void applyCaptions();
    // Horizontally centred on `mainWindow`, 40 pixels below its middle.
    static QPoint placeOver(const QRect &mainWindow);

    QLineEdit *keyField() const { return m_field; }

    void Edt_AssemblyKeyDown(int virtualKey, bool shiftHeld, bool altHeld, bool ctrlHeld);
    void IB_ConfirmClick();
    void IB_CancelClick();
    void IB_CloseClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void modifierClicked(KeyCombinationModel::Modifier modifier, bool ticked);
    void CBSetFocus();
    void showModel();

    KeyCombinationModel &m_capture;
    TextLookup m_text;
    ConfirmHandler m_onConfirm;
    std::function<void()> m_onClear;
    SkinPicture *m_background = nullptr;
    QLineEdit *m_field = nullptr;
    SkinLabel *m_title = nullptr;
    SkinLabel *m_confirm = nullptr;
    SkinLabel *m_clear = nullptr;
    QCheckBox *m_boxes[4] = {};
};
