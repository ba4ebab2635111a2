#pragma once

#include "records/text_lookup.h"

#include <QWidget>

#include <functional>

class QLineEdit;
class SkinLabel;

// The macro-name dialog: a borderless 354 x 179 window above all others,
// shaped by its background picture, that does not block the main window.
// OK hands the typed name (at most 14 characters) on and closes; Cancel
// empties the field and stays open; the close area in the top right corner
// closes it. Each dialog deletes itself when closed.
class MacroNameDialog : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kWidth = 354;
    static constexpr int kHeight = 179;
    static constexpr int kMaxNameLength = 14;

    using ConfirmHandler = std::function<void(const QString &name)>;
    // Reads its texts (Str510-Str512) through `text` in the current language.
    MacroNameDialog(const TextLookup &text, ConfirmHandler onConfirm, QWidget *parent = nullptr);

    QLineEdit *nameField() const { return m_field; }

    void IB_ConfirmClick();
    void IB_CancelClick();
    void IB_CloseClick();

private:
    QLineEdit *m_field = nullptr;
    ConfirmHandler m_onConfirm;
};
