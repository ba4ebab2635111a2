// The pictures that differ by language: the window background with its
// subtitle and the four page pictures with their headings, drawn around the
// places the language's layout gives the labels and controls.
#include "draw_mouse.h"
#include "page_places.h"
#include "skin_pictures.h"
#include "skin_style.h"
#include "skin_words.h"

#include <QPainter>

using namespace skin;

namespace {

constexpr QSize kPageSizes[] = {{472, 379}, {700, 324}, {620, 356}, {600, 346}};

// Heading of a page: an accent bar and the title.
void pageHeading(QPainter &p, const QString &title)
{
    p.fillRect(QRectF(14, 7, 3, 14), kAccent);
    drawText(p, QRectF(24, 3, 360, 22), Qt::AlignLeft | Qt::AlignVCenter, title, font(14, true),
             kText);
}

// A section title in small capitals style: dim, bold, a little spaced.
void sectionTitle(QPainter &p, const QRectF &rect, const QString &title, int align = Qt::AlignLeft)
{
    QFont f = font(11, true);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 0.4);
    drawText(p, rect, align | Qt::AlignVCenter, title, f, kTextDim);
}

// A card that groups the controls of one setting.
void card(QPainter &p, const QRectF &rect)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath shape = rounded(rect, 8);
    QLinearGradient g(rect.topLeft(), rect.bottomLeft());
    g.setColorAt(0, QColor(30, 34, 42, 235));
    g.setColorAt(1, QColor(22, 25, 31, 235));
    p.fillPath(shape, g);
    p.setPen(QPen(kLine, 1));
    p.drawPath(shape);
    p.restore();
}

// A choice's name beside its option indicator (the label over both is a
// plain click area).
void choiceText(QPainter &p, QPoint indicator, const QString &text, int width = 90)
{
    drawText(p, QRectF(indicator.x() + 19, indicator.y() - 2, width, 18),
             Qt::AlignLeft | Qt::AlignVCenter, text, font(12), kText);
}

void beginPage(int page, QPainter &p, QImage &image)
{
    const QSize size = kPageSizes[page - 1];
    image = canvas(size.width(), size.height());
    p.begin(&image);
    p.setRenderHint(QPainter::Antialiasing);
}

QImage buttonsPage(const PagePlaces &places, const SkinWords &words)
{
    QImage image;
    QPainter p;
    beginPage(1, p, image);
    pageHeading(p, words.buttonsTitle);

    // The mouse sits between the two columns of button labels.
    const int left = places.onPage(QStringLiteral("Key1"), 1).x() + 104;
    const int right = places.onPage(QStringLiteral("Key2"), 1).x();
    const qreal mouseWidth = 128;
    const QRectF mouse((left + right) / 2.0 - mouseWidth / 2, 58, mouseWidth, mouseWidth * 1.92);
    drawMouseIllustration(p, mouse);

    for (int key = 1; key <= 12; ++key) {
        const QString name = QStringLiteral("Key%1").arg(key);
        if (!places.shown(name))
            continue;
        const QPoint slot = places.onPage(name, 1);
        const bool onLeft = slot.x() < logicalWidth(image) / 2;
        const QPointF start(onLeft ? slot.x() + 104 : slot.x(), slot.y() + 15.5);
        const QPointF badge = start + QPointF(onLeft ? 10 : -10, 0);
        const QPointF anchor = mouseButtonAnchor(key, mouse);
        const QPointF elbow(anchor.x() + (onLeft ? -18 : 18), badge.y());
        p.setPen(QPen(withAlpha(kTextDim, 150), 1));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({badge, elbow, anchor}));
        p.setPen(QPen(kAccentLight, 1));
        p.setBrush(kBase);
        p.drawEllipse(anchor, 3, 3);
        p.setPen(Qt::NoPen);
        p.setBrush(kAccent);
        p.drawEllipse(badge, 8, 8);
        drawText(p, QRectF(badge.x() - 8, badge.y() - 8, 16, 16), Qt::AlignCenter,
                 QString::number(key), font(10, true), Qt::white);
    }
    p.end();
    return image;
}

QImage performancePage(const PagePlaces &places, const SkinWords &words)
{
    QImage image;
    QPainter p;
    beginPage(2, p, image);
    pageHeading(p, words.performanceTitle);
    const auto at = [&](const char *name) { return places.onPage(QLatin1String(name), 2); };

    // DPI levels and report rate on the left.
    const QPoint dpi = at("DPI");
    const QPoint rate1 = at("Rep1"), rate2 = at("Rep2");
    const int leftEdge = qMin(dpi.x(), rate1.x()) - 22;
    const int dpiRight = dpi.x() + 7 * 29 + 16 + 16;
    card(p, QRectF(leftEdge, dpi.y() - 58, dpiRight - leftEdge, 82));
    sectionTitle(p, QRectF(leftEdge + 12, dpi.y() - 54, 200, 18), words.dpiLevels);
    // A rail under the markers joins the eight levels.
    p.setPen(QPen(kLine, 2));
    p.drawLine(QPointF(dpi.x() + 8, dpi.y() + 8), QPointF(dpi.x() + 7 * 29 + 8, dpi.y() + 8));

    card(p, QRectF(leftEdge, rate1.y() - 30, dpiRight - leftEdge, 56));
    sectionTitle(p, QRectF(leftEdge + 12, rate1.y() - 26, 200, 18), words.reportRate);
    choiceText(p, rate1, words.hz1000, rate2.x() - rate1.x() - 22);
    choiceText(p, rate2, words.hz500);

    // The desktop's mouse settings on the right.
    const QPoint speeds[] = {at("Spd"), at("DbSpd"), at("ScrSpd")};
    const QString titles[] = {words.pointerSpeed, words.doubleClickSpeed, words.scrollLines};
    const int scaleWidth = 9 * 24 + 20;
    card(p, QRectF(speeds[0].x() - 16, speeds[0].y() - 26, scaleWidth + 32,
                   speeds[2].y() - speeds[0].y() + 52));
    for (int i = 0; i < 3; ++i)
        sectionTitle(p, QRectF(speeds[i].x(), speeds[i].y() - 22, scaleWidth, 18), titles[i]);

    // Fire keys along the bottom: mode name, then repeat and delay fields.
    const QPoint mode1 = at("FKMode1"), para1 = at("FKPara1"), para4 = at("FKPara4");
    const QRectF fire(mode1.x() - 14, para1.y() - 30, para4.x() + 64 - (mode1.x() - 14), 78);
    card(p, fire);
    sectionTitle(p, QRectF(fire.left() + 12, fire.top() + 4, 180, 18), words.fireKeys);
    drawText(p, QRectF(fire.left() + 12, fire.top() + 4, fire.width() - 24, 18),
             Qt::AlignRight | Qt::AlignVCenter, words.fireHint, font(11), kTextDim);
    p.end();
    return image;
}

QImage lightPage(const PagePlaces &places, const SkinWords &words)
{
    QImage image;
    QPainter p;
    beginPage(3, p, image);
    pageHeading(p, words.lightTitle);
    const auto at = [&](const char *name) { return places.onPage(QLatin1String(name), 3); };

    // The four times of one breath, each named left of its scale.
    const QPoint scales[] = {at("OffTime"), at("RaiseTime"), at("OnTime"), at("FallTime")};
    const QString names[] = {words.offTime, words.riseTime, words.onTime, words.fallTime};
    const int scaleRight = scales[0].x() + 9 * 24 + 20;
    card(p,
         QRectF(16, scales[0].y() - 22, scaleRight + 20 - 16, scales[3].y() - scales[0].y() + 50));
    for (int i = 0; i < 4; ++i)
        sectionTitle(p, QRectF(28, scales[i].y() - 6, scales[i].x() - 44, 20), names[i],
                     Qt::AlignRight);

    // One breath drawn as a glowing curve: off, rise, on, fall.
    const QRectF wave(scaleRight + 36, scales[0].y() - 14, logicalWidth(image) - scaleRight - 52,
                      scales[3].y() - scales[0].y() + 34);
    if (wave.width() > 60) {
        card(p, wave);
        const QRectF in = wave.adjusted(12, 16, -12, -16);
        QPainterPath breath;
        breath.moveTo(in.left(), in.bottom());
        breath.lineTo(in.left() + in.width() * 0.18, in.bottom());
        breath.cubicTo(in.left() + in.width() * 0.32, in.bottom(), in.left() + in.width() * 0.3,
                       in.top(), in.left() + in.width() * 0.45, in.top());
        breath.lineTo(in.left() + in.width() * 0.62, in.top());
        breath.cubicTo(in.left() + in.width() * 0.78, in.top(), in.left() + in.width() * 0.74,
                       in.bottom(), in.left() + in.width() * 0.9, in.bottom());
        breath.lineTo(in.right(), in.bottom());
        drawGlow(p, breath, kAccent, 3);
        p.setPen(QPen(kAccentLight, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(breath);
    }

    // Light mode, colour mode and the two colours.
    const QPoint modes[] = {at("LEDMode1"), at("LEDMode2"), at("LEDMode3")};
    const QPoint colourModes[] = {at("LEDColorMode1"), at("LEDColorMode2")};
    const QPoint swatch1 = at("R1"), swatch2 = at("R2");
    const QRectF lower(16, modes[0].y() - 30, logicalWidth(image) - 32,
                       qMax(colourModes[0].y(), swatch2.y() + 48) - modes[0].y() + 38);
    card(p, lower);
    sectionTitle(p, QRectF(modes[0].x(), modes[0].y() - 26, 200, 18), words.lightMode);
    sectionTitle(p, QRectF(colourModes[0].x(), colourModes[0].y() - 24, 200, 18), words.colourMode);
    const QString modeNames[] = {words.random, words.colourful, words.custom};
    for (int i = 0; i < 3; ++i)
        choiceText(p, modes[i], modeNames[i],
                   (i < 2 ? modes[i + 1].x() : swatch1.x()) - modes[i].x() - 24);
    choiceText(p, colourModes[0], words.colour1, colourModes[1].x() - colourModes[0].x() - 24);
    choiceText(p, colourModes[1], words.colour2);
    for (const auto &[swatch, number] : {std::pair{swatch1, 1}, std::pair{swatch2, 2}}) {
        const QPointF badge(swatch.x() + 62, swatch.y() + 24);
        p.setPen(QPen(kLine, 1));
        p.setBrush(kCard);
        p.drawEllipse(badge, 9, 9);
        drawText(p, QRectF(badge.x() - 9, badge.y() - 9, 18, 18), Qt::AlignCenter,
                 QString::number(number), font(11, true), kText);
    }
    p.end();
    return image;
}

QImage macroPage(const PagePlaces &places, const SkinWords &words)
{
    QImage image;
    QPainter p;
    beginPage(4, p, image);
    const auto at = [&](const char *name) { return places.onPage(QLatin1String(name), 4); };
    const QPoint names = at("MacroName"), events = at("MacroContent"), delay = at("DelayTime");
    const QPoint buttons = at("New");

    // Column headings sit just above the two lists.
    p.fillRect(QRectF(names.x(), names.y() - 17, 3, 12), kAccent);
    sectionTitle(p, QRectF(names.x() + 8, names.y() - 20, 150, 18), words.macros);
    p.fillRect(QRectF(events.x(), events.y() - 17, 3, 12), kAccent);
    sectionTitle(p, QRectF(events.x() + 8, events.y() - 20, 200, 18), words.events);

    // A rail behind the command column.
    p.setPen(QPen(kLine, 1));
    p.drawLine(QPointF(buttons.x() - 10.5, buttons.y()),
               QPointF(buttons.x() - 10.5, logicalHeight(image) - 12));
    // The delay options of recording draw their card themselves, so it
    // goes with them while the insert panel is open.
    Q_UNUSED(delay);
    p.end();
    return image;
}

QImage background(const SkinWords &words)
{
    const int w = 800, h = 600;
    QImage image = canvas(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath shape = rounded(QRectF(0, 0, w, h), 14);

    QLinearGradient ground(0, 0, 0, h);
    ground.setColorAt(0, QColor(20, 23, 29));
    ground.setColorAt(0.5, kBase);
    ground.setColorAt(1, QColor(11, 12, 15));
    p.fillPath(shape, ground);
    p.setClipPath(shape);

    // A warm light falling from the top left, behind the logo.
    QRadialGradient warm(90, 30, 420);
    warm.setColorAt(0, withAlpha(kAccent, 60));
    warm.setColorAt(1, withAlpha(kAccent, 0));
    p.fillRect(QRectF(0, 0, w, h), warm);

    // Fine diagonal lines across the header for texture.
    p.setPen(QPen(withAlpha(Qt::white, 7), 1));
    for (int x = -100; x < w; x += 9)
        p.drawLine(QPointF(x, 0), QPointF(x + 96, 96));

    // A faint dot grid gives the body of the window some depth.
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(Qt::white, 9));
    for (int y = 108; y < 512; y += 12) {
        for (int x = 96; x < w - 6; x += 12)
            p.drawRect(QRectF(x, y, 1, 1));
    }

    // Logo and name.
    drawMouseGlyph(p, QRectF(26, 24, 27, 52), kAccent);
    QFont brand = font(26, true);
    brand.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    drawText(p, QRectF(68, 22, 420, 34), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("GAMING MOUSE"), brand, kText);
    drawText(p, QRectF(70, 56, 420, 20), Qt::AlignLeft | Qt::AlignVCenter, words.subtitle, font(13),
             kTextDim);

    // Accent line under the header, fading out to both sides.
    QLinearGradient line(0, 0, w, 0);
    line.setColorAt(0, withAlpha(kAccent, 0));
    line.setColorAt(0.15, kAccent);
    line.setColorAt(0.6, withAlpha(kAccent, 110));
    line.setColorAt(1, withAlpha(kAccent, 0));
    p.fillRect(QRectF(0, 94, w, 2), line);

    // The command column.
    card(p, QRectF(2, 108, 80, 174));

    // The footer with the page and file buttons.
    p.fillRect(QRectF(0, 516, w, h - 516), QColor(9, 10, 13));
    p.fillRect(QRectF(0, 516, w, 1), kLine);
    QFont version = font(11);
    version.setLetterSpacing(QFont::AbsoluteSpacing, 1);
    // The page row reaches to x 747; the mark and the version share the
    // language row's free end.
    drawText(p, QRectF(640, 560, 144, 30), Qt::AlignRight | Qt::AlignVCenter,
             QStringLiteral("v1.0"), version, withAlpha(kTextDim, 160));
    drawMouseGlyph(p, QRectF(712, 562, 13, 26), withAlpha(kAccent, 200));

    p.setClipping(false);
    p.setPen(QPen(QColor(60, 66, 80), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
    p.end();
    applyWindowShape(image, kWindowKey, kBase);
    return image;
}

} // namespace

void addLanguagePictures(Pictures &out, int language)
{
    const PagePlaces places(language);
    const SkinWords &words = skinWords(language);
    const QString prefix = QStringLiteral("L%1_").arg(language);
    out[prefix + QStringLiteral("BackGround")] = background(words);
    out[prefix + QStringLiteral("Back1")] = buttonsPage(places, words);
    out[prefix + QStringLiteral("Back2")] = performancePage(places, words);
    out[prefix + QStringLiteral("Back3")] = lightPage(places, words);
    out[prefix + QStringLiteral("Back4")] = macroPage(places, words);
}
