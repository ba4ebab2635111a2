// The skin generator's drawing: the window shaping, the pictures it makes
// against the table in docs/skin.md, and the committed page pictures against
// the layouts they were drawn for.
#include "page_places.h"
#include "skin_pictures.h"
#include "skin_style.h"
#include "skin_words.h"

#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QTest>

namespace {

const QRgb kKey = qRgb(128, 0, 0);

// Name -> size of every row of the table in docs/skin.md.
QMap<QString, QSize> documentedSizes()
{
    QFile file(QStringLiteral(GM_SOURCE_DIR "/docs/skin.md"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    static const QRegularExpression row(QStringLiteral("^\\|([^|]*)\\|\\s*(\\d+) × (\\d+)\\s*\\|"));
    static const QRegularExpression name(QStringLiteral("`([^`]+)`"));
    QMap<QString, QSize> sizes;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const auto match = row.match(line);
        if (!match.hasMatch())
            continue;
        for (auto it = name.globalMatch(match.captured(1)); it.hasNext();)
            sizes[it.next().captured(1)] =
                QSize(match.captured(2).toInt(), match.captured(3).toInt());
    }
    return sizes;
}

bool reddish(QRgb px)
{
    return qRed(px) > 2 * qGreen(px) + 20 && qRed(px) > 2 * qBlue(px) + 20;
}

} // namespace

class TestSkinDrawing : public QObject
{
    Q_OBJECT

private slots:
    // A shaped picture is opaque everywhere: outside exactly the key, inside
    // never the key, and its antialiased edge blends into the edge colour
    // instead of the key (no red fringe round a dark window).
    void windowShapeHasNoFringe()
    {
        QImage image = skin::canvas(60, 40);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillPath(skin::rounded(QRectF(0, 0, 60, 40), 12), QColor(20, 22, 28));
        p.fillRect(QRect(25, 15, 10, 10), QColor(kKey)); // content of the key colour
        p.end();
        skin::applyWindowShape(image, QColor(kKey), QColor(14, 16, 20));

        QCOMPARE(image.pixel(0, 0), kKey | 0xFF000000u);
        QCOMPARE(image.pixel(59, 39), kKey | 0xFF000000u);
        QCOMPARE(image.pixel(30, 20), qRgb(129, 0, 0));
        int keyPixels = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb px = image.pixel(x, y);
                QCOMPARE(qAlpha(px), 255);
                if (px == (kKey | 0xFF000000u)) {
                    ++keyPixels;
                    continue;
                }
                const bool content = x >= 25 && x < 35 && y >= 15 && y < 25;
                QVERIFY2(content || !reddish(px),
                         qPrintable(QStringLiteral("fringe at %1,%2").arg(x).arg(y)));
            }
        }
        QVERIFY(keyPixels > 0 && keyPixels < 4 * 12 * 12);
    }

    void keyColourIsAvoidedOnlyWhereOpaque()
    {
        QImage image(3, 1, QImage::Format_ARGB32);
        image.setPixel(0, 0, kKey | 0xFF000000u);
        image.setPixel(1, 0, qRgba(128, 0, 0, 100));
        image.setPixel(2, 0, qRgb(128, 0, 1));
        skin::avoidWindowKey(image);
        QCOMPARE(image.pixel(0, 0), qRgb(129, 0, 0));
        QCOMPARE(image.pixel(1, 0), qRgba(128, 0, 0, 100));
        QCOMPARE(image.pixel(2, 0), qRgb(128, 0, 1));
    }

    // What the generator draws is what the table lists, at the listed sizes.
    void generatorDrawsTheDocumentedSet()
    {
        const QMap<QString, QSize> documented = documentedSizes();
        QVERIFY(documented.size() > 50);
        Pictures drawn;
        addControlPictures(drawn);
        for (int language = 1; language <= 3; ++language)
            addLanguagePictures(drawn, language);
        addDialogPictures(drawn);
        addBusyFrames(drawn);
        drawn[QStringLiteral("app-icon")] = drawAppIcon(256);
        QCOMPARE(QStringList(drawn.keys()), QStringList(documented.keys()));
        for (auto it = drawn.cbegin(); it != drawn.cend(); ++it)
            QCOMPARE(it.value().size(), documented.value(it.key()));
    }

    void iconIsRoundedAndFilledAtEverySize()
    {
        for (int size : {16, 24, 32, 48, 64, 128, 256}) {
            const QImage icon = drawAppIcon(size);
            QCOMPARE(icon.size(), QSize(size, size));
            QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
            QCOMPARE(qAlpha(icon.pixel(size - 1, size - 1)), 0);
            QCOMPARE(qAlpha(icon.pixel(size / 2, size / 2)), 255);
            // The mouse in the middle is the accent colour.
            QVERIFY(reddish(icon.pixel(size / 2, size * 3 / 4)));
        }
    }

    void placesComeFromTheLanguagesLayout()
    {
        for (int language = 1; language <= 3; ++language) {
            const PagePlaces places(language);
            const QPoint page = places.at(QStringLiteral("P1"));
            QVERIFY(QRect(0, 0, 800, 600).contains(page));
            QCOMPARE(places.onPage(QStringLiteral("Key1"), 1),
                     places.at(QStringLiteral("Key1")) - page);
            QVERIFY(places.shown(QStringLiteral("Key1")));
            QVERIFY(!places.shown(QStringLiteral("NoSuchKey")));
            QCOMPARE(places.at(QStringLiteral("NoSuchKey")), QPoint(-1000, -1000));
        }
    }

    // The committed page pictures were drawn for the layouts as they stand:
    // the numbered badge of every button label the layout shows sits just
    // inside the label's plate, and none is drawn for a hidden label.
    void committedButtonPagesFollowTheLayouts()
    {
        for (int language = 1; language <= 3; ++language) {
            const PagePlaces places(language);
            const QImage page = QImage(QStringLiteral(":/skin/L%1_Back1.png").arg(language))
                                    .convertToFormat(QImage::Format_ARGB32);
            QVERIFY(!page.isNull());
            for (int key = 1; key <= 12; ++key) {
                const QString name = QStringLiteral("Key%1").arg(key);
                if (!places.shown(name))
                    continue;
                const QPoint slot = places.onPage(name, 1);
                const bool onLeft = slot.x() < page.width() / 2;
                // The badge's rim, clear of the number in its middle.
                const QPoint rim(onLeft ? slot.x() + 104 + 10 : slot.x() - 10, slot.y() + 15 - 6);
                QVERIFY2(
                    reddish(page.pixel(rim)),
                    qPrintable(QStringLiteral("L%1_Back1 has no badge for %2; run the skin target")
                                   .arg(language)
                                   .arg(name)));
            }
        }
    }

    void everyLanguageHasItsOwnWords()
    {
        const QList<QString SkinWords::*> fields = {
            &SkinWords::subtitle,  &SkinWords::buttonsTitle, &SkinWords::performanceTitle,
            &SkinWords::dpiLevels, &SkinWords::reportRate,   &SkinWords::pointerSpeed,
            &SkinWords::fireKeys,  &SkinWords::lightTitle,   &SkinWords::offTime,
            &SkinWords::lightMode, &SkinWords::random,       &SkinWords::macros,
            &SkinWords::events,    &SkinWords::colour1,      &SkinWords::fallTime};
        for (auto field : fields) {
            QSet<QString> seen;
            for (int language = 1; language <= 3; ++language) {
                const QString text = skinWords(language).*field;
                QVERIFY(!text.isEmpty());
                seen.insert(text);
            }
            QCOMPARE(seen.size(), 3);
        }
        // An unknown language number falls back to the first.
        QCOMPARE(skinWords(7).subtitle, skinWords(1).subtitle);
    }
};

QTEST_MAIN(TestSkinDrawing)
#include "test_skin_drawing.moc"
