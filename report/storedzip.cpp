#include "report/storedzip.h"

#include <zip.h>

#include <cstdio>
#include <memory>

namespace hov::report {

namespace {

// 1 January 2000, a date every zip reader shows; a document's parts carry no real time.
constexpr time_t kEntryTime = 946684800;

void setError(QString* error, const QString& text) {
    if (error)
        *error = text;
}

QString zipErrorText(zip_error_t* err) {
    return QString::fromLocal8Bit(zip_error_strerror(err));
}

struct SourceFree {
    void operator()(zip_source_t* s) const { zip_source_free(s); }
};

} // namespace

std::optional<QByteArray> storedZip(const QList<ZipEntry>& entries, QString* error) {
    zip_error_t err;
    zip_error_init(&err);
    std::unique_ptr<zip_source_t, SourceFree> target(zip_source_buffer_create(nullptr, 0, 0, &err));
    if (!target) {
        setError(error, zipErrorText(&err));
        zip_error_fini(&err);
        return std::nullopt;
    }
    zip_t* archive = zip_open_from_source(target.get(), ZIP_TRUNCATE, &err);
    if (!archive) {
        setError(error, zipErrorText(&err));
        zip_error_fini(&err);
        return std::nullopt;
    }
    zip_error_fini(&err);
    // The archive frees its source when closed; the bytes are read from it afterwards.
    zip_source_keep(target.get());

    for (const ZipEntry& entry : entries) {
        // The entry's bytes stay alive in `entries` until zip_close has copied them.
        zip_source_t* source = zip_source_buffer(archive, entry.data.constData(),
                                                 static_cast<zip_uint64_t>(entry.data.size()), 0);
        const QByteArray name = entry.name.toUtf8();
        const zip_int64_t index =
            source ? zip_file_add(archive, name.constData(), source, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            if (source)
                zip_source_free(source);
            setError(error, QString::fromLocal8Bit(zip_strerror(archive)));
            zip_discard(archive);
            return std::nullopt;
        }
        if (zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0) != 0
            || zip_file_set_mtime(archive, static_cast<zip_uint64_t>(index), kEntryTime, 0) != 0) {
            setError(error, QString::fromLocal8Bit(zip_strerror(archive)));
            zip_discard(archive);
            return std::nullopt;
        }
    }
    if (zip_close(archive) != 0) {
        setError(error, QString::fromLocal8Bit(zip_strerror(archive)));
        zip_discard(archive);
        return std::nullopt;
    }

    zip_source_t* src = target.get();
    if (zip_source_open(src) != 0) {
        setError(error, QString::fromLocal8Bit(zip_error_strerror(zip_source_error(src))));
        return std::nullopt;
    }
    QByteArray bytes;
    bool ok = zip_source_seek(src, 0, SEEK_END) == 0;
    const zip_int64_t size = ok ? zip_source_tell(src) : -1;
    ok = ok && size >= 0 && zip_source_seek(src, 0, SEEK_SET) == 0;
    if (ok) {
        bytes.resize(static_cast<qsizetype>(size));
        ok = zip_source_read(src, bytes.data(), static_cast<zip_uint64_t>(size)) == size;
    }
    if (!ok)
        setError(error, QString::fromLocal8Bit(zip_error_strerror(zip_source_error(src))));
    zip_source_close(src);
    if (!ok)
        return std::nullopt;
    return bytes;
}

} // namespace hov::report
