#include "app/busy_window.h"

#include "app/window_shape.h"

#include "ui/skin_images.h"
#include "ui/skin_picture.h"

#include <QPainter>

namespace {
QString frameName(int frame)
{
    return QStringLiteral("WaitGif_%1").arg(frame + 1, 2, 10, QLatin1Char('0'));
}

} // namespace

// The line under the animation, in the strip its frames leave free: "n / N"
// and a bar in the accent colour.
class BusyProgressStrip : public QWidget
{
public:
    explicit BusyProgressStrip(BusyWindow *owner) : QWidget(owner), m_owner(owner)
    {
        setAttribute(Qt::WA_TranslucentBackground);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setGeometry(20, 156, 160, 26);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        const int expected = m_owner->reportsExpected();
        if (expected <= 0)
            return;
        QPainter painter(this);
        painter.setPen(QColor(200, 204, 212));
        QFont small = font();
        small.setPixelSize(11);
        painter.setFont(small);
        painter.drawText(QRect(0, 0, width(), 16), Qt::AlignCenter, m_owner->progressText());
        const QRect bar(20, 20, 120, 3);
        painter.fillRect(bar, QColor(60, 66, 80));
        const int filled = bar.width() * qMin(m_owner->reportsDone(), expected) / expected;
        painter.fillRect(QRect(bar.topLeft(), QSize(filled, bar.height())), QColor(255, 74, 40));
    }

private:
    BusyWindow *m_owner;
};

BusyWindow::BusyWindow(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus)
{
    setObjectName(QStringLiteral("TFormLoadingUI"));
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground);
    m_animation = new SkinPicture(QStringLiteral("WaitGif"), QSize(200, 192), this);
    m_animation->move(0, 0);
    m_animation->setPicture(frameName(0));
    m_strip = new BusyProgressStrip(this);
    m_strip->raise();
    // Black is the see-through colour of the busy window's pictures.
    const QPixmap first = skinPixmap(frameName(0));
    if (!first.isNull()) {
        // The frame is smaller than the window; the rest is see-through.
        QImage picture(size(), QImage::Format_ARGB32);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.drawPixmap(0, 0, first);
        painter.end();
        setMask(windowShape(picture, qRgb(0, 0, 0)));
    }
    m_frameTimer.setInterval(kFrameIntervalMs);
    connect(&m_frameTimer, &QTimer::timeout, this, &BusyWindow::nextFrame);
    m_frameTimer.start(); // animating from creation on
}

QPoint BusyWindow::positionOver(const QRect &mainWindow)
{
    // Integer division truncates toward zero, as the placement asks.
    return {mainWindow.left() + (mainWindow.width() - kWidth) / 2,
            mainWindow.top() + (mainWindow.height() - kHeight) / 2 + 40};
}

void BusyWindow::placeOver(const QRect &mainWindow)
{
    move(positionOver(mainWindow));
}

void BusyWindow::startTransfer(int expectedReports)
{
    m_expected = qMax(0, expectedReports);
    m_done = 0;
    m_shownPercent = -1;
    m_strip->update();
}

void BusyWindow::advance()
{
    ++m_done;
    // Repaint only when the bar moves by a percent: thousands of reports
    // must not cost thousands of repaints.
    const int percent = m_expected > 0 ? qMin(100, m_done * 100 / m_expected) : 0;
    if (percent != m_shownPercent) {
        m_shownPercent = percent;
        m_strip->update();
    }
}

QString BusyWindow::progressText() const
{
    if (m_expected <= 0)
        return {};
    return QStringLiteral("%1 / %2").arg(qMin(m_done, m_expected)).arg(m_expected);
}

QString BusyWindow::currentFrame() const
{
    return m_animation->pictureName();
}

void BusyWindow::nextFrame()
{
    m_frame = (m_frame + 1) % kFrameCount;
    m_animation->setPicture(frameName(m_frame));
}
