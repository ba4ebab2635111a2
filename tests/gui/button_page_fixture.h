#pragma once

// The skinned content with the button pages on a bare 800 x 600 client, set up
// as the window's start-up does, and the input a user gives it: clicks routed
// to whatever lies on top at a point, pointer entering and leaving.

#include "app/skinned_content_port.h"
#include "buttons/button_pages.h"
#include "buttons/key_combination_dialog.h"
#include "buttons/menu_panels.h"
#include "image/configuration.h"
#include "ui/skin_label.h"
#include "ui/skinned_content.h"

#include <QEnterEvent>
#include <QtTest>

#include <functional>
#include <memory>

struct ButtonPageWindow
{
    // `beforeContent` may change the configuration between its start-up and
    // the creation of the window content (a different default image).
    explicit ButtonPageWindow(const std::function<void(Configuration &)> &beforeContent = {})
    {
        client.resize(800, 600);
        config.startUp();
        if (beforeContent)
            beforeContent(config);
        port = std::make_unique<SkinnedContentPort>(&client, config);
        port->LoadSkinPictures();
        port->ApplyWebLink();
        config.state().CurrentLanguage = 1;
        port->ApplyLanguage(1);
        port->languageButtonClick(1);
        client.show();
        // A mouse is open, so the page buttons work.
        config.state().CommandHandle = 1;
        config.state().DataHandle = 2;
        port->skin().pageButtonClick(Configuration::Page::Main);
    }

    template <typename T = QWidget> T *get(const QString &name) const
    {
        T *found = client.findChild<T *>(name);
        if (!found)
            qFatal("no element %s", qPrintable(name));
        return found;
    }
    MenuEntryLabel *entry(const QString &name) const { return get<MenuEntryLabel>(name); }
    ButtonPages &pages() { return port->buttons(); }
    QString caption(int button) const
    {
        return get<QLabel>(QStringLiteral("Key%1").arg(button))->text();
    }
    QByteArray code(int profile, int button) const
    {
        return config.sections().Profile.mid(ProfileCodeOffset(profile, button), 4);
    }

    // A left click at a point of the client, received by whatever lies on top there.
    void clickAt(QPoint point)
    {
        QWidget *target = client.childAt(point);
        QVERIFY2(target, "nothing at the clicked point");
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&client, point));
    }
    // A click in the middle of a named element, as far as it is not covered.
    void click(const QString &name)
    {
        QWidget *widget = get(name);
        clickAt(widget->mapTo(&client, widget->rect().center()));
    }
    static void enter(QWidget *widget)
    {
        QEnterEvent event(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QCoreApplication::sendEvent(widget, &event);
    }
    static void leave(QWidget *widget)
    {
        QEvent event(QEvent::Leave);
        QCoreApplication::sendEvent(widget, &event);
    }
    // The pointer moves onto a menu entry and it is clicked.
    void choose(const QString &name)
    {
        enter(get(name));
        click(name);
    }
    bool shown(const QString &name) const { return !get(name)->isHidden(); }

    QWidget client;
    Configuration config;
    std::unique_ptr<SkinnedContentPort> port;
};

inline QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray result;
    for (int value : values)
        result.append(char(value));
    return result;
}
