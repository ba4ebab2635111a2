#pragma once

#include <QString>

#include <functional>

class QObject;
class SkinnedContent;

// Runs `action` on a left click on the skin element `name` (a label or a
// picture); an element the skin lacks is passed over. The connection lives
// as long as `context`.
void onLeftClick(const SkinnedContent &skin, const QString &name, QObject *context,
                 std::function<void()> action);

// The same for a row of elements stem1 ... stem<count>, with the number at
// the end of the clicked element's name.
void onNumberedLeftClicks(const SkinnedContent &skin, const QString &stem, int count,
                          QObject *context, const std::function<void(int)> &action);
