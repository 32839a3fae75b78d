#pragma once
// The CRC-32 of zlib and PNG, as an extension's trailer keeps it: with the
// processor's carry-less multiplication where it has one, sixteen bytes at
// a time, else zlib's.

#include <QByteArrayView>

quint32 crc32Of(QByteArrayView bytes, quint32 crc = 0);
