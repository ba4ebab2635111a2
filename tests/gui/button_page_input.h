#pragma once

// The whole window over a simulated mouse that it has read, and what a user
// does to it: clicks received by whatever lies on top at the point, the
// pointer entering an element.
#include "window_fixture.h"

#include "app/skinned_content_port.h"
#include "buttons/button_pages.h"
#include "buttons/key_combination_dialog.h"
#include "buttons/menu_panels.h"

#include <QEnterEvent>
#include <QLabel>
#include <QtTest>

struct ButtonWindow : WindowFixture
{
    // `image`, when given, replaces the simulated mouse's memory before the read.
    explicit ButtonWindow(const QString &kind = QStringLiteral("b58"), const QByteArray &image = {})
        : WindowFixture(kind)
    {
        if (!image.isEmpty() && !mouse.placeImage(image))
            qFatal("image refused");
        window->devTimer().stop();
        window->DevTimerTimer(); // finds the mouse and reads it
    }
    void clickAt(QPoint point)
    {
        QWidget *client = window->clientArea();
        QWidget *target = client->childAt(point);
        QVERIFY(target);
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(client, point));
    }
    void click(const QString &name)
    {
        clickAt(get(name)->mapTo(window->clientArea(), get(name)->rect().center()));
    }
    static void enter(QWidget *widget)
    {
        QEnterEvent event(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QCoreApplication::sendEvent(widget, &event);
    }
    void enter(const QString &name) { enter(get(name)); }
    void choose(const QString &name)
    {
        enter(name);
        click(name);
    }
    bool open(const QString &name) const { return !get(name)->isHidden(); }
    ButtonPages &pages() { return static_cast<SkinnedContentPort &>(window->content()).buttons(); }
    Configuration &config() { return window->config(); }
    QByteArray code(int profile, int button)
    {
        return config().sections().Profile.mid(ProfileCodeOffset(profile, button), 4);
    }
    QString caption(const QString &name) const { return get<QLabel>(name)->text(); }
};
