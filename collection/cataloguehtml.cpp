#include "collection/cataloguehtml.h"

#include "card/fieldtable.h"
#include "card/pictureheader.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSize>
#include <QtEndian>

#include <array>
#include <cstring>

namespace {

// Bytes gathered before a write: a page of thousands of rows is a few hundred writes.
constexpr qsizetype kBlockBytes = 64 * 1024;

// The page's style and script are resource files, read once; each starts
// on a line of its own after its tag.
QString pageResource(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QLatin1Char('\n') + QString::fromUtf8(file.readAll());
}

// The grid and the table are one table of one row a card: the grid shows
// each row as a tile, so a poster is embedded once.
const QString &catalogueStyle()
{
    static const QString style = pageResource(QStringLiteral(":/catalogue/catalogue.css"));
    return style;
}

// Search, filters by seen and by tag, sort and views; it fetches nothing
// and writes text only as text.
const QString &catalogueScript()
{
    static const QString script = pageResource(QStringLiteral(":/catalogue/catalogue.js"));
    return script;
}

QString hashSource(const QString &text)
{
    const QByteArray hash = QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha256);
    return QStringLiteral("'sha256-%1'").arg(QString::fromLatin1(hash.toBase64()));
}

// Only the page's own style and script may run: a card that slipped a tag
// past the escaping would still run nothing, and nothing is fetched.
QString securityPolicy()
{
    return QStringLiteral("default-src 'none'; img-src data:; style-src %1; script-src %2")
        .arg(hashSource(catalogueStyle()), hashSource(catalogueScript()));
}

// Appends text as UTF-8, with &, <, >, " and ' written as HTML entities.
// They are ASCII, so never part of a character's bytes.
void appendEscaped(QByteArray &row, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    qsizetype plain = 0;   // where the bytes not yet appended begin
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char *entity = bytes[i] == '&' ? "&amp;"
            : bytes[i] == '<'                ? "&lt;"
            : bytes[i] == '>'                ? "&gt;"
            : bytes[i] == '"'                ? "&quot;"
            : bytes[i] == '\''               ? "&#39;"
                                             : nullptr;
        if (entity == nullptr)
            continue;
        row.append(bytes.constData() + plain, i - plain).append(entity);
        plain = i + 1;
    }
    row.append(bytes.constData() + plain, bytes.size() - plain);
}

// Appends a cell of the table, in the column named; sortKey, when given, sorts it.
void appendCell(
    QByteArray &row, QByteArrayView column, const QString &text, const QString &sortKey = QString())
{
    row.append("<td class=\"").append(column).append('"');
    if (!sortKey.isNull()) {
        row.append(" data-tri=\"");
        appendEscaped(row, sortKey);
        row.append('"');
    }
    row.append('>');
    appendEscaped(row, text);
    row.append("</td>");
}

// A field's column is named by its key.
void appendCell(QByteArray &row, Field field, const QString &text, const QString &sortKey = QString())
{
    const std::string_view key = fieldLayout(field).key;
    appendCell(row, QByteArrayView(key.data(), qsizetype(key.size())), text, sortKey);
}

constexpr char kBase64Digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The two base64 digits of each 12 bits, so that three bytes take two looks.
const std::array<std::array<char, 2>, 4096> &base64Pairs()
{
    static const std::array<std::array<char, 2>, 4096> pairs = [] {
        std::array<std::array<char, 2>, 4096> table {};
        for (std::size_t bits = 0; bits < table.size(); ++bits)
            table[bits] = { kBase64Digits[bits >> 6], kBase64Digits[bits & 63] };
        return table;
    }();
    return pairs;
}

// Appends bytes in base64, as QByteArray::toBase64 writes it, into room
// made once: the pictures are most of a page.
void appendBase64(QByteArray &out, QByteArrayView bytes)
{
    const auto &pairs = base64Pairs();
    const qsizetype start = out.size();
    out.resize(start + (bytes.size() + 2) / 3 * 4);
    char *to = out.data() + start;
    const auto *from = reinterpret_cast<const uchar *>(bytes.data());
    qsizetype left = bytes.size();
    // Six bytes a turn, from one load of eight: their eight digits in four looks.
    for (; left >= 8; left -= 6, from += 6) {
        quint64 word;
        std::memcpy(&word, from, 8);
        word = qFromBigEndian(word);
        for (const int shift : { 52, 40, 28, 16 }) {
            std::memcpy(to, pairs[word >> shift & 4095].data(), 2);
            to += 2;
        }
    }
    for (; left >= 3; left -= 3, from += 3) {
        const quint32 group = quint32(from[0]) << 16 | quint32(from[1]) << 8 | from[2];
        std::memcpy(to, pairs[group >> 12].data(), 2);
        std::memcpy(to + 2, pairs[group & 4095].data(), 2);
        to += 4;
    }
    if (left > 0) {
        const quint32 group = quint32(from[0]) << 16 | (left > 1 ? quint32(from[1]) << 8 : 0);
        *to++ = kBase64Digits[group >> 18];
        *to++ = kBase64Digits[group >> 12 & 63];
        *to++ = left > 1 ? kBase64Digits[group >> 6 & 63] : '=';
        *to++ = '=';
    }
}

// The poster's cell, appended to row as bytes: its picture, the most of a
// page, is written as it is encoded, never through a text.
void appendPosterCell(QByteArray &row, const QString &title, const QByteArray &picture)
{
    const PosterInfo info = readPictureHeader(picture);
    if (info.format.isEmpty()) {
        row.append("<td class=\"affiche\"><span class=\"sans\">Sans affiche</span></td>");
        return;
    }
    const QSize size = info.size;
    row.append("<td class=\"affiche\"><img alt=\"");
    appendEscaped(row, title);
    row.append("\" width=\"").append(QByteArray::number(size.width()));
    row.append("\" height=\"").append(QByteArray::number(size.height()));
    row.append("\" src=\"data:image/").append(info.format).append(";base64,");
    appendBase64(row, picture);
    row.append("\"></td>");
}

// "1 h 47" read as 107 minutes, so the durations sort by length.
void appendDurationCell(QByteArray &row, const CardValues &values)
{
    const QString shown = values.text(Field::Heures).isEmpty() && values.text(Field::Minutes).isEmpty()
        ? QString()
        : (values.text(Field::Heures).isEmpty() ? QString()
                                                : values.text(Field::Heures) + QStringLiteral(" h "))
            + values.text(Field::Minutes);
    bool hours = false, minutes = false;
    const int total
        = values.text(Field::Heures).toInt(&hours) * 60 + values.text(Field::Minutes).toInt(&minutes);
    appendCell(row, "duree", shown, hours || minutes ? QString::number(total) : QString(""));
}

// The seen mark; seen cards sort before the others, or after.
void appendSeenCell(QByteArray &row, const CardValues &values)
{
    const bool seen = !values.isBlank(Field::Vu) || !values.isBlank(Field::VuLe);
    row.append(seen ? "<td class=\"vu\" data-tri=\"1\"><span class=\"vu-marque\">✓ Vu</span></td>"
                    : "<td class=\"vu\" data-tri=\"0\"></td>");
}

// Five stars, lit to the rating's half (a 7 lights three and a half), then
// the rating itself; a text that is no rating stays a text.
void appendRatingCell(QByteArray &row, const QString &rating)
{
    bool number = false;
    const int value = rating.toInt(&number);
    if (!number || value < 1 || value > 10)
        return appendCell(row, Field::Note, rating, QString(""));
    const QByteArray digits = QByteArray::number(value);
    row.append("<td class=\"note\" data-tri=\"").append(digits).append("\"><span class=\"etoiles n");
    row.append(digits).append("\" aria-hidden=\"true\">★★★★★</span> <span class=\"sur-dix\">");
    row.append(digits).append("/10</span></td>");
}

// Each tag a button that shows the cards bearing it.
void appendTagsCell(QByteArray &row, const QStringList &tags)
{
    row.append("<td class=\"etiquettes\">");
    for (qsizetype i = 0; i < tags.size(); ++i) {
        row.append(i > 0 ? " " : "").append("<button type=\"button\" class=\"etiquette\">");
        appendEscaped(row, tags[i]);
        row.append("</button>");
    }
    row.append("</td>");
}

QString headerRow()
{
    QString row = QStringLiteral("<tr><th class=\"affiche\">Affiche</th>");
    const std::pair<QString, const char *> columns[] = { { fieldName(Field::Titre), "Titre" },
        { fieldName(Field::Annee), "Année" }, { QStringLiteral("duree"), "Durée" },
        { fieldName(Field::Type), "Type" }, { fieldName(Field::Realisateur), "Réalisateur" },
        { fieldName(Field::Acteurs), "Acteurs" }, { fieldName(Field::Resume), "Résumé" },
        { fieldName(Field::Vu), "Vu" }, { fieldName(Field::Note), "Note" },
        { fieldName(Field::Etiquettes), "Étiquettes" }, { QStringLiteral("fichier"), "Fichier" } };
    for (const auto &[key, label] : columns)
        row += QStringLiteral("<th class=\"%1\"><button type=\"button\" data-colonne=\"%1\">%2</button></th>")
                   .arg(key, QString::fromUtf8(label));
    return row + QStringLiteral("</tr>");
}

}   // namespace

HtmlCatalogue::HtmlCatalogue(QIODevice &out) : m_out(out)
{
    write(QStringLiteral(
        "<!DOCTYPE html>\n<html lang=\"fr\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<meta http-equiv=\"Content-Security-Policy\" content=\"%1\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        "<title>Catalogue des fiches</title>\n<style>%2</style>\n</head>\n<body>\n"
        "<header>\n<h1>Catalogue des fiches</h1>\n<p id=\"compte\"></p>\n"
        "<input type=\"search\" id=\"recherche\" placeholder=\"Rechercher\" "
        "aria-label=\"Rechercher dans les fiches\">\n"
        "<p id=\"filtres\"><select id=\"filtre-vu\" aria-label=\"Vus ou non\">"
        "<option value=\"\">Vus et pas vus</option><option value=\"1\">Vus</option>"
        "<option value=\"0\">Pas vus</option></select>"
        "<select id=\"filtre-etiquette\" aria-label=\"Étiquette\">"
        "<option value=\"\">Toutes les étiquettes</option></select></p>\n"
        "<p id=\"vues\"><button type=\"button\" id=\"vue-affiches\" aria-pressed=\"true\">Affiches</button>"
        "<button type=\"button\" id=\"vue-tableau\" aria-pressed=\"false\">Tableau</button></p>\n"
        "</header>\n<table id=\"fiches\" class=\"affiches\">\n<thead>%3</thead>\n<tbody>\n")
              .arg(securityPolicy(), catalogueStyle(), headerRow()));
}

bool HtmlCatalogue::add(const CatalogueCard &card, const QByteArray &picture)
{
    const CardValues &values = card.values;
    bool year = false;
    values.text(Field::Annee).toInt(&year);
    QByteArray &row = m_pending;
    row.append("<tr>");
    appendPosterCell(row, values.text(Field::Titre), picture);
    appendCell(row, Field::Titre, values.text(Field::Titre));
    appendCell(row, Field::Annee, values.text(Field::Annee), year ? values.text(Field::Annee) : QString(""));
    appendDurationCell(row, values);
    appendCell(row, Field::Type, values.text(Field::Type));
    appendCell(row, Field::Realisateur, values.text(Field::Realisateur));
    appendCell(row, Field::Acteurs, values.list(Field::Acteurs).join(QStringLiteral(", ")));
    appendCell(row, Field::Resume, values.text(Field::Resume));
    appendSeenCell(row, values);
    appendRatingCell(row, values.text(Field::Note));
    appendTagsCell(row, values.list(Field::Etiquettes));
    appendCell(row, "fichier", card.path);
    row.append("</tr>\n");
    return flush(kBlockBytes);
}

bool HtmlCatalogue::finish()
{
    write(
        QStringLiteral("</tbody>\n</table>\n<script>%1</script>\n</body>\n</html>\n").arg(catalogueScript()));
    return flush(0);
}

bool HtmlCatalogue::write(const QString &text)
{
    m_pending.append(text.toUtf8());
    return flush(kBlockBytes);
}

// Writes what is pending once it holds atLeast bytes.
bool HtmlCatalogue::flush(qsizetype atLeast)
{
    if (m_pending.size() < atLeast)
        return m_ok;
    m_ok = m_ok && m_out.write(m_pending) == m_pending.size();
    m_pending.truncate(0);
    return m_ok;
}
