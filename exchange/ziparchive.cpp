#include "exchange/ziparchive.h"

#include <zip.h>

ZipArchive::ZipArchive(const QByteArray &bytes)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *source = zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
    if (source != nullptr) {
        m_zip = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
        if (m_zip == nullptr)
            zip_source_free(source);
    }
    const int code = zip_error_code_zip(&error);
    zip_error_fini(&error);
    if (m_zip == nullptr) {
        m_status = code == ZIP_ER_NOZIP ? ZipStatus::NotZip : ZipStatus::Damaged;
        return;
    }
    m_status = ZipStatus::Ok;
    checkEntries();
}

ZipArchive::~ZipArchive()
{
    if (m_zip != nullptr)
        zip_discard(m_zip);
}

// Refuses an archive whose directory announces more than the bounds allow.
void ZipArchive::checkEntries()
{
    const zip_int64_t count = zip_get_num_entries(m_zip, 0);
    if (count < 0 || count > ZipBounds::MostEntries) {
        m_status = count < 0 ? ZipStatus::Damaged : ZipStatus::TooLarge;
        return;
    }
    qint64 total = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        if (zip_stat_index(m_zip, zip_uint64_t(i), ZIP_FL_ENC_GUESS, &stat) != 0 || stat.name == nullptr) {
            m_status = ZipStatus::Damaged;
            return;
        }
        const qint64 size
            = qint64(qMin<zip_uint64_t>(stat.size, zip_uint64_t(ZipBounds::MostTotalBytes) + 1));
        total += size;
        const bool bomb = size > 1024 * 1024 && qint64(stat.comp_size) * ZipBounds::MostRatio < size;
        if (size > ZipBounds::MostEntryBytes || total > ZipBounds::MostTotalBytes || bomb) {
            m_status = ZipStatus::TooLarge;
            return;
        }
        m_names << QString::fromUtf8(stat.name);
    }
}

std::optional<QByteArray> ZipArchive::read(const QString &name, ZipStatus &why) const
{
    why = ZipStatus::NotZip;
    const qsizetype index = m_names.indexOf(name);
    if (m_status != ZipStatus::Ok || index < 0)
        return std::nullopt;
    zip_stat_t stat;
    zip_file_t *file = zip_stat_index(m_zip, zip_uint64_t(index), 0, &stat) == 0
        ? zip_fopen_index(m_zip, zip_uint64_t(index), 0)
        : nullptr;
    why = ZipStatus::Damaged;
    if (file == nullptr)
        return std::nullopt;
    // One byte more than announced, to tell an entry that lies about its size.
    QByteArray bytes(qsizetype(stat.size) + 1, Qt::Uninitialized);
    qsizetype done = 0;
    zip_int64_t got = 0;
    while (done < bytes.size()
        && (got = zip_fread(file, bytes.data() + done, zip_uint64_t(bytes.size() - done))) > 0)
        done += qsizetype(got);
    zip_fclose(file);
    if (got < 0 || done != qsizetype(stat.size))
        return std::nullopt;
    bytes.truncate(done);
    why = ZipStatus::Ok;
    return bytes;
}

bool looksLikeZip(const QByteArray &bytes)
{
    return bytes.startsWith("PK\x03\x04") || bytes.startsWith("PK\x05\x06");
}
