#include "settings/element_clicks.h"

#include "ui/skin_label.h"
#include "ui/skin_picture.h"
#include "ui/skinned_content.h"

void onLeftClick(const SkinnedContent &skin, const QString &name, QObject *context,
                 std::function<void()> action)
{
    const auto leftOnly = [action = std::move(action)](Qt::MouseButton button) {
        if (button == Qt::LeftButton)
            action();
    };
    if (auto *label = skin.element<SkinLabel>(name))
        QObject::connect(label, &SkinLabel::clicked, context, leftOnly);
    else if (auto *picture = skin.element<SkinPicture>(name))
        QObject::connect(picture, &SkinPicture::clicked, context, leftOnly);
}

void onNumberedLeftClicks(const SkinnedContent &skin, const QString &stem, int count,
                          QObject *context, const std::function<void(int)> &action)
{
    for (int n = 1; n <= count; ++n)
        onLeftClick(skin, stem + QString::number(n), context, [action, n] { action(n); });
}
