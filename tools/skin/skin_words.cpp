#include "skin_words.h"

namespace {

SkinWords english()
{
    SkinWords w;
    w.subtitle = QStringLiteral("Configuration utility");
    w.buttonsTitle = QStringLiteral("Button assignment");
    w.performanceTitle = QStringLiteral("Performance");
    w.dpiLevels = QStringLiteral("DPI levels");
    w.reportRate = QStringLiteral("Report rate");
    w.hz1000 = QStringLiteral("1000 Hz");
    w.hz500 = QStringLiteral("500 Hz");
    w.pointerSpeed = QStringLiteral("Pointer speed");
    w.doubleClickSpeed = QStringLiteral("Double-click speed");
    w.scrollLines = QStringLiteral("Scroll lines");
    w.fireKeys = QStringLiteral("Fire keys");
    w.fireHint = QStringLiteral("repeats / delay in ms");
    w.lightTitle = QStringLiteral("Breathing light");
    w.offTime = QStringLiteral("Off time");
    w.riseTime = QStringLiteral("Rise time");
    w.onTime = QStringLiteral("On time");
    w.fallTime = QStringLiteral("Fall time");
    w.lightMode = QStringLiteral("Light mode");
    w.random = QStringLiteral("Random");
    w.colourful = QStringLiteral("Colourful");
    w.custom = QStringLiteral("Custom");
    w.colourMode = QStringLiteral("Colour");
    w.colour1 = QStringLiteral("Colour 1");
    w.colour2 = QStringLiteral("Colour 2");
    w.macros = QStringLiteral("Macros");
    w.events = QStringLiteral("Events");
    return w;
}

SkinWords russian()
{
    SkinWords w;
    w.subtitle = QStringLiteral("Настройка мыши");
    w.buttonsTitle = QStringLiteral("Назначение кнопок");
    w.performanceTitle = QStringLiteral("Производительность");
    w.dpiLevels = QStringLiteral("Уровни DPI");
    w.reportRate = QStringLiteral("Частота опроса");
    w.hz1000 = QStringLiteral("1000 Гц");
    w.hz500 = QStringLiteral("500 Гц");
    w.pointerSpeed = QStringLiteral("Скорость указателя");
    w.doubleClickSpeed = QStringLiteral("Скорость двойного щелчка");
    w.scrollLines = QStringLiteral("Строк прокрутки");
    w.fireKeys = QStringLiteral("Кнопки огня");
    w.fireHint = QStringLiteral("повторы / задержка, мс");
    w.lightTitle = QStringLiteral("Подсветка");
    w.offTime = QStringLiteral("Пауза");
    w.riseTime = QStringLiteral("Нарастание");
    w.onTime = QStringLiteral("Свечение");
    w.fallTime = QStringLiteral("Затухание");
    w.lightMode = QStringLiteral("Режим подсветки");
    w.random = QStringLiteral("Случайный");
    w.colourful = QStringLiteral("Радуга");
    w.custom = QStringLiteral("Свой");
    w.colourMode = QStringLiteral("Цвет");
    w.colour1 = QStringLiteral("Цвет 1");
    w.colour2 = QStringLiteral("Цвет 2");
    w.macros = QStringLiteral("Макросы");
    w.events = QStringLiteral("События");
    return w;
}

SkinWords chinese()
{
    SkinWords w;
    w.subtitle = QStringLiteral("鼠标设置程序");
    w.buttonsTitle = QStringLiteral("按键设置");
    w.performanceTitle = QStringLiteral("性能设置");
    w.dpiLevels = QStringLiteral("DPI 档位");
    w.reportRate = QStringLiteral("回报率");
    w.hz1000 = QStringLiteral("1000 Hz");
    w.hz500 = QStringLiteral("500 Hz");
    w.pointerSpeed = QStringLiteral("指针速度");
    w.doubleClickSpeed = QStringLiteral("双击速度");
    w.scrollLines = QStringLiteral("滚动行数");
    w.fireKeys = QStringLiteral("连发键");
    w.fireHint = QStringLiteral("次数 / 间隔（毫秒）");
    w.lightTitle = QStringLiteral("呼吸灯");
    w.offTime = QStringLiteral("熄灭时间");
    w.riseTime = QStringLiteral("渐亮时间");
    w.onTime = QStringLiteral("常亮时间");
    w.fallTime = QStringLiteral("渐暗时间");
    w.lightMode = QStringLiteral("灯光模式");
    w.random = QStringLiteral("随机");
    w.colourful = QStringLiteral("七彩");
    w.custom = QStringLiteral("自定义");
    w.colourMode = QStringLiteral("颜色");
    w.colour1 = QStringLiteral("颜色 1");
    w.colour2 = QStringLiteral("颜色 2");
    w.macros = QStringLiteral("宏列表");
    w.events = QStringLiteral("事件");
    return w;
}

} // namespace

const SkinWords &skinWords(int language)
{
    static const SkinWords words[] = {english(), russian(), chinese()};
    return words[(language >= 2 && language <= 3) ? language - 1 : 0];
}
