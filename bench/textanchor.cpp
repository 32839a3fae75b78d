// The viewer's anchor with text: the same JPEG at 129 pixels, under a bold
// title and one line of text. Beside vieweranchor it shows what drawing
// text costs any Qt program at start (fonts found, loaded and shaped).
//
// Usage: textanchor IMAGE

#include <QApplication>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char *argv[])
{
    constexpr int kPosterWidth = 129;
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    QImageReader reader(QString::fromLocal8Bit(argv[1]));
    const QSize size = reader.size();
    if (size.isEmpty())
        return 1;
    reader.setScaledSize(QSize(kPosterWidth, size.height() * kPosterWidth / size.width()));

    QWidget window;
    window.setWindowTitle(QStringLiteral("Affiche"));
    auto *layout = new QVBoxLayout(&window);
    auto *title = new QLabel(QStringLiteral("Banc d'essai"));
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSize(14);
    title->setFont(bold);
    layout->addWidget(title);
    layout->addWidget(new QLabel(QStringLiteral("Année : 2024  Durée : 1h30")));
    auto *poster = new QLabel;
    poster->setPixmap(QPixmap::fromImage(reader.read()));
    layout->addWidget(poster);
    window.show();
    return QApplication::exec();
}
