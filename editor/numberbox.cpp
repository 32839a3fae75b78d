#include "editor/numberbox.h"

#include "card/numerictext.h"

#include <QLineEdit>

void keepNumeric(QLineEdit *box, NumberRule rule)
{
    // The shorter text comes back here, as a change of its own.
    QObject::connect(box, &QLineEdit::textChanged, box, [box, rule](const QString &text) {
        if (text.isEmpty() || isNumericText(text))
            return;
        showNotNumber(rule);
        const bool pair = text.size() > 1 && text.back().isLowSurrogate();
        box->setText(text.chopped(pair ? 2 : 1));
        box->setCursorPosition(box->text().size());
    });
}
