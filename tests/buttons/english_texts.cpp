#include "english_texts.h"

#include "ui/language.h"

CodeTextContext englishContext()
{
    CodeTextContext context;
    context.text = languageLookup(1);
    for (int n = 0; n < 4; ++n)
        context.fireKeys[n] = {2, 16 * (n + 1), 0};
    for (int i = 0; i < 32; ++i)
        context.macroNames << QStringLiteral("Macro %1").arg(i);
    return context;
}
