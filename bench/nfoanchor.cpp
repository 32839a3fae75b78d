// The anchor for reading many movie .nfo files: each file read whole and
// parsed to its end by Qt's XML reader, nothing kept. Prints how many had a
// root element and no error.

#include <QFile>
#include <QXmlStreamReader>

#include <cstdio>

int main(int argc, char *argv[])
{
    int parsed = 0;
    for (int i = 1; i < argc; ++i) {
        QFile file(QString::fromLocal8Bit(argv[i]));
        if (!file.open(QIODevice::ReadOnly))
            return 1;
        QXmlStreamReader xml(file.readAll());
        while (!xml.atEnd())
            xml.readNext();
        if (!xml.hasError())
            ++parsed;
    }
    std::printf("%d\n", parsed);
    return 0;
}
