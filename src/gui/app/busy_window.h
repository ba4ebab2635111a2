#pragma once

#include <QTimer>
#include <QWidget>

class SkinPicture;
class BusyProgressStrip;

// The busy window: a small frameless window on top of the main window while
// data moves to or from the mouse. It runs the animation of the skin's
// "WaitGif_NN" frames and, under it, how far the running transfer is
// ("report n of N" as "n / N" with a bar, so it needs no language text).
class BusyWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kWidth = 206;
    static constexpr int kHeight = 196;
    static constexpr int kFrameCount = 12;
    static constexpr int kFrameIntervalMs = 80;

    explicit BusyWindow(QWidget *parent = nullptr);

    // Placed once against the main window's frame at creation (the busy window
    // does not follow a dragged main window): centred, 40 pixels lower.
    void placeOver(const QRect &mainWindow);
    static QPoint positionOver(const QRect &mainWindow);

    // The transfer's size in reports; 0 shows no progress line.
    void startTransfer(int expectedReports);
    // One more report of the running transfer.
    void advance();
    int reportsDone() const { return m_done; }
    int reportsExpected() const { return m_expected; }
    QString progressText() const;
    QString currentFrame() const;

private:
    void nextFrame();

    SkinPicture *m_animation = nullptr;
    BusyProgressStrip *m_strip = nullptr;
    QTimer m_frameTimer;
    int m_frame = 0;
    int m_expected = 0;
    int m_done = 0;
    int m_shownPercent = -1;
};
