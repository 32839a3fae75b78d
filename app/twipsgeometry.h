#pragma once
// Placing widgets on the twip grid the windows are drawn on.

#include "layout/twips.h"

#include <QWidget>

inline void moveTwips(QWidget *widget, int left, int top)
{
    widget->move(twipsToPx(left), twipsToPx(top));
}

inline void setGeometryTwips(QWidget *widget, int left, int top, int width, int height)
{
    widget->setGeometry(twipsToPx(left), twipsToPx(top), twipsToPx(width), twipsToPx(height));
}
