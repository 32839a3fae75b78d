#pragma once
// The collection window's own settings: the folder opened last, the view,
// the order, the columns hidden, the window's size.

#include <QSettings>
#include <QString>
#include <QVariant>

// A setting of the collection window; invalid when none is kept.
inline QVariant remembered(const QString &key)
{
    return QSettings(QStringLiteral("cinefiche"), QStringLiteral("collection")).value(key);
}

// Written only when it changes from what is remembered, or from fallback
// when nothing is: each write replaces the file on disk and waits for it.
inline void remember(const QString &key, const QVariant &value, const QVariant &fallback = {})
{
    QSettings settings(QStringLiteral("cinefiche"), QStringLiteral("collection"));
    if (settings.value(key, fallback) != value)
        settings.setValue(key, value);
}
