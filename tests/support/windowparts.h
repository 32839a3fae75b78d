#pragma once
// Reaching a window's controls as tools do, by their object names.

#include "texts/texts.h"

#include <QObject>
#include <QString>
#include <QTextDocument>

// The child of window named name; null when there is none of that type.
template <typename T> T *child(const QObject *window, const char *name)
{
    return window->findChild<T *>(QLatin1String(name));
}
template <typename T> T *child(const QObject &window, const char *name)
{
    return child<T>(&window, name);
}

// What a widget shows of text given in format: Qt takes text that looks like
// HTML for rich text unless told it is plain.
inline QString shownText(const QString &text, Qt::TextFormat format = Qt::AutoText)
{
    if (format == Qt::PlainText || (format == Qt::AutoText && !Qt::mightBeRichText(text)))
        return text;
    QTextDocument document;
    document.setHtml(text);
    return document.toPlainText();
}

// The editor's caption for a card of that file name, with the mark of a
// change; a new card's bears the name the texts give it.
inline QString editorCaption(const QString &name, bool modified = false)
{
    return QLatin1String("Cinefiche [") + name + QLatin1String(modified ? "*]" : "]");
}
inline QString newCardCaption(bool modified = false)
{
    return editorCaption(textOf(Text::NewCardName), modified);
}
