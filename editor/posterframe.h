#pragma once
// The editor's poster frame: its caption stands on the frame's top line so
// that the buttons fit under it. Drawn here rather than by a style sheet,
// which costs the editor's start several milliseconds.

#include <QGroupBox>

class PosterFrame : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent *event) override;
};
