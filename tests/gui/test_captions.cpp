// Every caption of the window, in each language and on each page, as a user
// reads it: drawn at the size its layout gives it (a little smaller at most
// where a word must fit), at least a third of its button's height, the
// DPI captions all of one size, the delay boxes wide enough for their
// longest value and a macro name of the full 14 characters whole in the list.
#include "button_page_input.h"

#include "ui/skin_label.h"
#include "ui/skinned_content.h"

#include <QFontInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>

namespace {
using Page = Configuration::Page;

bool onScreen(QWidget *widget, QWidget *window)
{
    const QRect where(widget->mapTo(window, QPoint(0, 0)), widget->size());
    return QRect(0, 0, 800, 600).contains(where);
}
} // namespace

class TestCaptions : public QObject
{
    Q_OBJECT
private slots:
    void captionsKeepTheirSize();
    void boxesAndListsHoldTheirLongestValues();
};

void TestCaptions::captionsKeepTheirSize()
{
    ButtonWindow w;
    SkinnedContent &skin = static_cast<SkinnedContentPort &>(w.window->content()).skin();
    QWidget *window = w.window.get();
    QStringList small; // every caption too small, to see them all at once
    for (int language = 1; language <= 3; ++language) {
        skin.languageButtonClick(language);
        for (Page page : {Page::Main, Page::Switch, Page::Fixed, Page::Advanced, Page::Breathing,
                          Page::Macro}) {
            skin.openPage(page);
            QSet<int> dpiSizes;
            for (SkinLabel *label : window->findChildren<SkinLabel *>()) {
                const QString name = label->objectName();
                // Button captions scroll when they are too long; menu
                // entries are checked though their menus are closed.
                const bool menuEntry = name.startsWith(QLatin1String("Key_"));
                if (label->text().trimmed().isEmpty() ||
                    QRegularExpression("^Key\\d+$").match(name).hasMatch())
                    continue;
                if (!menuEntry && (!label->isVisibleTo(window) || !onScreen(label, window)))
                    continue;
                const int nominal = QFontInfo(label->font()).pixelSize();
                const int drawn = label->drawnPixelSize();
                const QString where = QStringLiteral("%1 in language %2: %3 px of %4, %5 px high")
                                          .arg(name)
                                          .arg(language)
                                          .arg(drawn)
                                          .arg(nominal)
                                          .arg(label->height());
                const bool readable = drawn * 10 >= nominal * 9 &&
                                      (label->height() > 40 || drawn * 3 >= label->height());
                if (!readable && !small.contains(where))
                    small << where;
                if (name.startsWith(QLatin1String("lbl_DPI")))
                    dpiSizes.insert(drawn);
            }
            QVERIFY(dpiSizes.size() <= 1);
        }
    }
    QVERIFY2(small.isEmpty(), qPrintable(small.join(QLatin1Char('\n'))));
}

void TestCaptions::boxesAndListsHoldTheirLongestValues()
{
    ButtonWindow w;
    SkinnedContent &skin = static_cast<SkinnedContentPort &>(w.window->content()).skin();
    for (int language = 1; language <= 3; ++language) {
        skin.languageButtonClick(language);
        for (const char *name : {"Edt_Delay", "Edt_InsertDelay"}) {
            auto *edit = w.get<QLineEdit>(QString::fromLatin1(name));
            edit->setText(QStringLiteral("65530"));
            // What the box shows of its text is its width less frame and margins.
            QVERIFY2(edit->fontMetrics().horizontalAdvance(edit->text()) + 6 <= edit->width(),
                     name);
        }
        auto *names = w.get<QListWidget>(QStringLiteral("LB_MacroName"));
        const QString longest = QStringLiteral("Sniper Burst 1");
        QCOMPARE(longest.size(), 14);
        const int room = names->viewport()->width() - 2 * names->frameWidth();
        QVERIFY2(names->fontMetrics().horizontalAdvance(longest) <= room,
                 qPrintable(QString::number(room)));
    }
}

QTEST_MAIN(TestCaptions)
#include "test_captions.moc"
