#pragma once

#include <QList>
#include <QObject>

class Configuration;
class QLineEdit;
class SkinnedContent;

// The advanced page's DPI levels and markers, report-rate choices, fire-key
// boxes and fire-mode labels over the AdvancedPageModel: clicks, typed
// text and focus changes go to the model, and the skin renders its state.
class AdvancedPage : public QObject
{
    Q_OBJECT
public:
    AdvancedPage(SkinnedContent &skin, Configuration &config, QObject *parent = nullptr);

protected:
    // Typed keys and focus leaving the fire-key boxes.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct FireBox
    {
        QLineEdit *edit = nullptr;
        int fireKey = 0;
        bool delay = false;
    };

    void wireClicks();
    void wireFireBoxes();
    void textEdited(const FireBox &box, const QString &text);
    void focusLeft(const FireBox &box);
    QString modelText(const FireBox &box) const;
    // The boxes show the model's texts (after a store held them to their
    // limits).
    void showFireTexts();
    const FireBox *boxOf(QObject *watched) const;

    SkinnedContent &m_skin;
    Configuration &m_config;
    QList<FireBox> m_boxes;
};
