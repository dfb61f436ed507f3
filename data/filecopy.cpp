#include "data/filecopy.h"

#include "data/bidi.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace hov {

namespace {

CopyResult failure(const QString& reason, const QString& systemText = QString()) {
    return CopyResult::failure(reason, systemText);
}

std::filesystem::path fsPath(const QString& path) {
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

// Whole chunks read and written at once: about a megabyte.
constexpr qint64 kChunksPerBlock = 256;

// The file's bytes on the disk, not only in the system's cache.
bool syncToDisk(int fd) {
#ifdef Q_OS_WIN
    return _commit(fd) == 0;
#else
    return ::fsync(fd) == 0;
#endif
}

// The new name in the folder's own entry on the disk as well (a crash right after the
// rename must not bring the old file back).
bool syncFolder(const QString& folder) {
#ifndef Q_OS_WIN
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
#else
    Q_UNUSED(folder);
    return true;
#endif
}

// Starts writing what has been copied to the disk a slice at a time while the copy goes
// on, so the final sync finds little left to do. Starting never waits for the disk.
class Writeback {
public:
    explicit Writeback(QFileDevice& file) : file_(file) {}
    // False when the bytes could not be handed to the system.
    bool advance(qint64 written) {
        if (written - started_ < kSlice)
            return true;
        if (!file_.flush())
            return false;
#ifdef Q_OS_LINUX
        ::sync_file_range(file_.handle(), started_, written - started_, SYNC_FILE_RANGE_WRITE);
#endif
        started_ = written;
        return true;
    }

private:
    static constexpr qint64 kSlice = 4 * 1024 * 1024;
    QFileDevice& file_;
    qint64 started_ = 0;
};

} // namespace

CopyResult copyFileSafely(const QString& source, const QString& target,
                          const CopyProgress& progress, const BeforeReplace& beforeReplace) {
    const QFileInfo from(source);
    if (!from.exists())
        return failure(QStringLiteral("فايل %1 پيدا نشد").arg(isolatedPath(source)));
    if (from.isDir())
        return failure(QStringLiteral("%1 يک پوشه است، نه يک فايل").arg(isolatedPath(source)));
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return failure(QStringLiteral("فايل %1 خوانده نشد").arg(isolatedPath(source)), in.errorString());

    const QFileInfo to(target);
    if (to.isDir())
        return failure(QStringLiteral("مقصد %1 يک پوشه است، نه يک فايل").arg(isolatedPath(target)));
    const QString folder = to.absolutePath();
    if (!QFileInfo(folder).isDir())
        return failure(QStringLiteral("پوشه %1 وجود ندارد").arg(isolatedPath(folder)));

    // Hidden, beside the target, so the final rename stays on one file system.
    QTemporaryFile out(folder + QStringLiteral("/.") + to.fileName() + QStringLiteral(".XXXXXX"));
    if (!out.open())
        return failure(QStringLiteral("در پوشه %1 نمي توان نوشت").arg(isolatedPath(folder)),
                       out.errorString());

    // The copy goes chunk by chunk: the caller hears of every chunk and a window lets its
    // events run in between. The disk is read and written a block of whole chunks at a
    // time, which spares most of the system calls that chunk-sized reads and writes cost.
    const qint64 total = in.size();
    QByteArray block(static_cast<qsizetype>(kChunksPerBlock * kCopyChunkBytes), Qt::Uninitialized);
    qint64 done = 0;
    Writeback writeback(out);
    while (done < total) {
        const qint64 want = qMin(static_cast<qint64>(block.size()), total - done);
        const qint64 got = in.read(block.data(), want);
        if (got != want)
            return failure(QStringLiteral("خواندن فايل %1 کامل نشد").arg(isolatedPath(source)),
                           got < 0 ? in.errorString() : QString());
        if (out.write(block.constData(), got) != got)
            return failure(QStringLiteral("نوشتن در پوشه %1 کامل نشد").arg(isolatedPath(folder)),
                           out.errorString());
        const qint64 end = done + got;
        if (!writeback.advance(end))
            return failure(QStringLiteral("نوشتن در پوشه %1 کامل نشد").arg(isolatedPath(folder)),
                           out.errorString());
        while (done < end) {
            done += qMin(kCopyChunkBytes, end - done);
            if (progress.chunkCopied)
                progress.chunkCopied(done, total);
        }
    }
    // Something wrote to the source meanwhile: what was copied is no consistent picture.
    char extra;
    if (in.read(&extra, 1) != 0)
        return failure(QStringLiteral("فايل %1 در حين کپي تغيير کرد").arg(isolatedPath(source)));
    if (!out.flush())
        return failure(QStringLiteral("نوشتن در پوشه %1 کامل نشد").arg(isolatedPath(folder)),
                       out.errorString());
    const int fd = out.handle();
    int syncError = 0;
    if (!runWhileWaiting(
            [fd, &syncError] {
                const bool ok = syncToDisk(fd);
                syncError = ok ? 0 : errno;
                return ok;
            },
            progress))
        return failure(QStringLiteral("نوشتن در پوشه %1 کامل نشد").arg(isolatedPath(folder)),
                       qt_error_string(syncError));
    // The file keeps the access rights the target had; a new one takes the source's.
    out.setPermissions(to.exists() ? QFile::permissions(target) : from.permissions());
    out.close();
    in.close();

    if (beforeReplace) {
        const CopyResult checked = beforeReplace(out.fileName());
        if (!checked.ok)
            return checked;
    }

    std::error_code ec;
    std::filesystem::rename(fsPath(out.fileName()), fsPath(target), ec);
    if (ec) {
        CopyResult r = failure(QStringLiteral("فايل %1 جايگزين نشد").arg(isolatedPath(target)),
                               QString::fromStdString(ec.message()));
        r.atReplace = true;
        return r;
    }
    out.setAutoRemove(false);
    // The copy is in place; a folder entry not yet on the disk is not worth a failure.
    runWhileWaiting([folder] { return syncFolder(folder); }, progress);
    return CopyResult::success();
}

} // namespace hov
