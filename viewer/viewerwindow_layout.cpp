#include "viewer/viewerwindow.h"

#include "card/cardfile.h"
#include "layout/frames.h"
#include "layout/twips.h"
#include "layout/twipsgeometry.h"
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

void ViewerWindow::placeControls()
{
    loadShownPoster();
    apply(placeInfos(measure()));
}

// Loads the poster as it is shown, kPosterWidth wide: a large poster is never
// decoded whole for that. Bytes that are no picture leave it empty, and the
// card is laid out as one without poster.
void ViewerWindow::loadShownPoster()
{
    m_posterNatural = {};
    QPixmap picture;
    PosterDevice poster(m_posterCard);
    if (!m_posterCard.isEmpty() && poster.open(QIODevice::ReadOnly)) {
        const QSize natural = probePoster(poster).size;
        const int shownWidth = int(std::ceil(twipsToPx(kPosterWidth) * devicePixelRatioF()));
        if (poster.seek(0))
            picture = QPixmap::fromImage(decodePoster(poster, QSize(shownWidth, natural.height())));
        if (!picture.isNull())
            m_posterNatural = natural;
    }
    m_posterPicture->setPixmap(picture);
    m_posterPicture->resize(picture.size());
}

// The full view decodes the poster at its natural size, from the card.
QPixmap ViewerWindow::fullPoster() const
{
    if (m_posterNatural.isEmpty())
        return {};
    PosterDevice poster(m_posterCard);
    return poster.open(QIODevice::ReadOnly) ? QPixmap::fromImage(decodePoster(poster)) : QPixmap();
}

InfosMeasure ViewerWindow::measure() const
{
    InfosMeasure m;
    m.title = wrappedHeight(m_titleLabel);
    m.year = naturalSize(m_yearLabel);
    m.runningTime = naturalSize(m_runningTimeLabel);
    m.genreCaption = naturalSize(m_genreCaption);
    m.directorCaption = naturalSize(m_directorCaption);
    m.actorsCaption = naturalSize(m_actorsCaption);
    m.summaryCaption = naturalSize(m_summaryCaption);
    m.genre = valueLabel(m_genreLabel);
    m.director = valueLabel(m_directorLabel);
    m.actors = valueLabel(m_actorsLabel);
    m.summary = valueLabel(m_summaryLabel);
    if (!m_posterNatural.isEmpty())
        m.poster = Size { pxToTwips(m_posterNatural.width()), pxToTwips(m_posterNatural.height()) };
    m.initialOuterWidth = InfosLayout::InitialClientWidth + Frame::ToolWidth;
    return m;
}

void ViewerWindow::apply(const InfosPlaces &p)
{
    const std::pair<QLabel *, const Box &> boxes[] = { { m_titleLabel, p.title }, { m_yearLabel, p.year },
        { m_runningTimeLabel, p.runningTime }, { m_genreCaption, p.genreCaption }, { m_genreLabel, p.genre },
        { m_directorCaption, p.directorCaption }, { m_directorLabel, p.director },
        { m_actorsCaption, p.actorsCaption }, { m_actorsLabel, p.actors },
        { m_summaryCaption, p.summaryCaption }, { m_summaryLabel, p.summary } };
    for (const auto &[label, box] : boxes)
        placeBox(label, box);
    m_genreLabel->setWordWrap(p.wrapGenre);
    m_directorLabel->setWordWrap(p.wrapDirector);
    m_actorsLabel->setWordWrap(p.wrapActors);
    m_summaryLabel->setWordWrap(p.wrapSummary);
    m_posterLabel->setPixmap(p.posterShown ? m_posterPicture->pixmap() : QPixmap());
    m_posterLabel->setVisible(p.posterShown);
    placeBox(m_posterLabel, p.poster);
    m_posterPicture->move(twipsToPx(p.posterPictureLeft), m_posterPicture->y());
    placeBox(m_okButton, p.ok);
    placeBox(m_playButton, p.play);
    setFixedSize(twipsToPx(p.outerWidth - Frame::ToolWidth), twipsToPx(p.outerHeight - Frame::ToolHeight));
}
