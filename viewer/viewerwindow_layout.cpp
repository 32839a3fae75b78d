#include "viewer/viewerwindow.h"

#include "app/common.h"
#include "app/frames.h"
#include "app/twipsgeometry.h"
#include "card/cardfile.h"
#include "poster/posterimage.h"
#include "viewer/infoslayout.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kUnwrappedWidth = 2000;   // pixels offered to a label's single lines
constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs;

// The label's text on its own lines; an empty label keeps one line's height.
Size naturalSize(const QLabel *label)
{
    const QFontMetrics metrics(label->font());
    const QRect rect = metrics.boundingRect(QRect(0, 0, kUnwrappedWidth, 0), kTextFlags, label->text());
    return { pxToTwips(rect.width()), pxToTwips(std::max(rect.height(), metrics.height())) };
}

WrapHeight wrappedHeight(const QLabel *label)
{
    return [font = label->font(), text = label->text()](int width) {
        const QFontMetrics metrics(font);
        const QRect bounds(0, 0, std::max(1, twipsToPx(width)), 0);
        const QRect rect = metrics.boundingRect(bounds, kTextFlags | Qt::TextWordWrap, text);
        return pxToTwips(std::max(rect.height(), metrics.height()));
    };
}

ValueLabel valueLabel(const QLabel *label)
{
    return { naturalSize(label), wrappedHeight(label) };
}

void placeBox(QWidget *widget, const Box &box)
{
    setGeometryTwips(widget, box.left, box.top, box.width, box.height);
}

}   // namespace

void ViewerWindow::PositionsLoad()
{
    SizePoster();
    apply(placeInfos(measure()));
}

// Loads the poster as it is shown, kPosterWidth wide: a large poster is never
// decoded whole for that. Bytes that are no picture leave it empty, and the
// card is laid out as one without poster.
void ViewerWindow::SizePoster()
{
    m_posterNatural = {};
    QPixmap picture;
    PosterDevice poster(strImageFile);
    if (!strImageFile.isEmpty() && poster.open(QIODevice::ReadOnly)) {
        const QSize natural = probePoster(poster).size;
        const int shownWidth = int(std::ceil(twipsToPx(kPosterWidth) * devicePixelRatioF()));
        if (poster.seek(0))
            picture = QPixmap::fromImage(decodePoster(poster, QSize(shownWidth, natural.height())));
        if (!picture.isNull())
            m_posterNatural = natural;
    }
    picAffiche->setPixmap(picture);
    picAffiche->resize(picture.size());
}

// The full view decodes the poster at its natural size, from the card.
QPixmap ViewerWindow::fullPoster() const
{
    if (m_posterNatural.isEmpty())
        return {};
    PosterDevice poster(strImageFile);
    return poster.open(QIODevice::ReadOnly) ? QPixmap::fromImage(decodePoster(poster)) : QPixmap();
}

InfosMeasure ViewerWindow::measure() const
{
    InfosMeasure m;
    m.titre = wrappedHeight(lblTitre);
    m.annee = naturalSize(lblAnnee);
    m.duree = naturalSize(lblDuree);
    m.typeA = naturalSize(lblTypeA);
    m.realisateurA = naturalSize(lblRealisateurA);
    m.acteursA = naturalSize(lblActeursA);
    m.resumeA = naturalSize(lblResumeA);
    m.type = valueLabel(lblType);
    m.realisateur = valueLabel(lblRealisateur);
    m.acteurs = valueLabel(lblActeurs);
    m.resume = valueLabel(lblResume);
    if (!m_posterNatural.isEmpty())
        m.poster = Size { pxToTwips(m_posterNatural.width()), pxToTwips(m_posterNatural.height()) };
    m.initialOuterWidth = InfosLayout::InitialClientWidth + Frame::ToolWidth;
    return m;
}

void ViewerWindow::apply(const InfosPlaces &p)
{
    const std::pair<QLabel *, const Box &> boxes[] = { { lblTitre, p.titre }, { lblAnnee, p.annee },
        { lblDuree, p.duree }, { lblTypeA, p.typeA }, { lblType, p.type },
        { lblRealisateurA, p.realisateurA }, { lblRealisateur, p.realisateur }, { lblActeursA, p.acteursA },
        { lblActeurs, p.acteurs }, { lblResumeA, p.resumeA }, { lblResume, p.resume } };
    for (const auto &[label, box] : boxes)
        placeBox(label, box);
    lblType->setWordWrap(p.wrapType);
    lblRealisateur->setWordWrap(p.wrapRealisateur);
    lblActeurs->setWordWrap(p.wrapActeurs);
    lblResume->setWordWrap(p.wrapResume);
    imgAffiche->setPixmap(p.afficheShown ? picAffiche->pixmap() : QPixmap());
    imgAffiche->setVisible(p.afficheShown);
    placeBox(imgAffiche, p.affiche);
    picAffiche->move(twipsToPx(p.picAfficheLeft), picAffiche->y());
    placeBox(cmdOK, p.ok);
    placeBox(cmdPlay, p.play);
    setFixedSize(twipsToPx(p.outerWidth - Frame::ToolWidth), twipsToPx(p.outerHeight - Frame::ToolHeight));
}
