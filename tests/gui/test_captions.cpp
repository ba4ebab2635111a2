// Every caption of the window, in each language and on each page, as a user
// reads it: drawn at the size its layout gives it (a little smaller at most
// where a word must fit), at least a third of its button's height, the
// DPI captions all of one size; and the delay boxes and the macro list
// wide enough for their longest values.
#include "button_page_input.h"

#include "ui/skin_label.h"
#include "ui/skinned_content.h"

#include <QFontInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>

class TestCaptions : public QObject
{
    Q_OBJECT
private slots:
    void textsFitInEachLanguage()
    {
        ButtonWindow w;
        SkinnedContent &skin = static_cast<SkinnedContentPort &>(w.window->content()).skin();
        QWidget *window = w.window.get();
        auto *names = w.get<QListWidget>(QStringLiteral("LB_MacroName"));
        QStringList small; // every caption too small, to see them all at once
        for (int language = 1; language <= 3; ++language) {
            skin.languageButtonClick(language);
            using Page = Configuration::Page;
            for (Page page : {Page::Main, Page::Switch, Page::Fixed, Page::Advanced,
                              Page::Breathing, Page::Macro}) {
                skin.openPage(page);
                QSet<int> dpiSizes;
                for (SkinLabel *label : window->findChildren<SkinLabel *>()) {
                    const QString name = label->objectName();
                    // Button captions scroll when they are too long; menu
                    // entries are checked though their menus are closed.
                    const QRect where(label->mapTo(window, QPoint(0, 0)), label->size());
                    if (label->text().trimmed().isEmpty() ||
                        QRegularExpression("^Key\\d+$").match(name).hasMatch() ||
                        (!name.startsWith(QLatin1String("Key_")) &&
                         (!label->isVisibleTo(window) || !QRect(0, 0, 800, 600).contains(where))))
                        continue;
                    const int nominal = QFontInfo(label->font()).pixelSize();
                    const int drawn = label->drawnPixelSize();
                    if (drawn * 10 < nominal * 9 ||
                        (label->height() <= 40 && drawn * 3 < label->height()))
                        small << QString::asprintf("%s in language %d: %d px of %d, %d px high",
                                                   qPrintable(name), language, drawn, nominal,
                                                   label->height());
                    if (name.startsWith(QLatin1String("lbl_DPI")))
                        dpiSizes.insert(drawn);
                }
                QVERIFY(dpiSizes.size() <= 1);
            }
            for (const char *name : {"Edt_Delay", "Edt_InsertDelay"}) {
                auto *edit = w.get<QLineEdit>(QString::fromLatin1(name));
                edit->setText(QStringLiteral("65530"));
                // What the box shows of its text is its width less frame and margins.
                QVERIFY2(edit->fontMetrics().horizontalAdvance(edit->text()) + 6 <= edit->width(),
                         name);
            }
            // A macro name of the full 14 characters is whole in the list.
            const int room = names->viewport()->width() - 2 * names->frameWidth();
            QVERIFY(names->fontMetrics().horizontalAdvance(QStringLiteral("Sniper Burst 1")) <=
                    room);
        }
        small.removeDuplicates();
        QVERIFY2(small.isEmpty(), qPrintable(small.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestCaptions)
#include "test_captions.moc"
