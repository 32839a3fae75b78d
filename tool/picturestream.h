#pragma once
// What the card tool and the picture helper hand each other: the cards'
// paths on the helper's standard input, each one's bytes ended by a NUL
// (any name a disk holds, which arguments would not carry whole); their
// pictures on its standard output, each one's length in decimal on a line,
// then its bytes.

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QStringList>

#include <vector>

// The name of the helper's command that writes them.
inline constexpr char kPicturesCommand[] = "pictures";

QByteArray framedPaths(const QStringList &paths);
QStringList pathsOfStream(QByteArrayView stream);

QByteArray framedPicture(const QByteArray &picture);
// The helper's command: the catalogue's pictures of cards, each framed, on out.
int writeCataloguePictures(const QStringList &cardPaths, QIODevice &out);
// The count pictures of stream, in their order; empty ones where the stream
// ends early or breaks its form, so a broken helper loses pictures alone.
std::vector<QByteArray> picturesOfStream(QByteArrayView stream, qsizetype count);
