#include "data/filecopy.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

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

QString native(const QString& path) { return QDir::toNativeSeparators(path); }

CopyResult failure(const QString& reason, const QString& systemText = QString()) {
    CopyResult r;
    r.error = systemText.isEmpty() ? reason : reason + QLatin1Char('\n') + systemText;
    return r;
}

std::filesystem::path fsPath(const QString& path) {
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

// The file's bytes on the disk, not only in the system's cache.
bool syncToDisk(QFileDevice& file) {
#ifdef Q_OS_WIN
    return _commit(file.handle()) == 0;
#else
    return ::fsync(file.handle()) == 0;
#endif
}

// The new name in the folder's own entry on the disk as well (a crash right after the
// rename must not bring the old file back).
void syncFolder(const QString& folder) {
#ifndef Q_OS_WIN
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(folder);
#endif
}

} // namespace

CopyResult copyFileSafely(const QString& source, const QString& target, const CopyStep& step,
                          const BeforeReplace& beforeReplace) {
    const QFileInfo from(source);
    if (!from.exists())
        return failure(QStringLiteral("فايل %1 پيدا نشد").arg(native(source)));
    if (from.isDir())
        return failure(QStringLiteral("%1 يک پوشه است، نه يک فايل").arg(native(source)));
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return failure(QStringLiteral("فايل %1 خوانده نشد").arg(native(source)), in.errorString());

    const QFileInfo to(target);
    if (to.isDir())
        return failure(QStringLiteral("مقصد %1 يک پوشه است، نه يک فايل").arg(native(target)));
    const QString folder = to.absolutePath();
    if (!QFileInfo(folder).isDir())
        return failure(QStringLiteral("پوشه %1 وجود ندارد").arg(native(folder)));

    // Hidden, beside the target, so the final rename stays on one file system.
    QTemporaryFile out(folder + QStringLiteral("/.") + to.fileName() + QStringLiteral(".XXXXXX"));
    if (!out.open())
        return failure(QStringLiteral("در پوشه %1 نمي توان نوشت").arg(native(folder)),
                       out.errorString());

    const qint64 total = in.size();
    QByteArray chunk(static_cast<qsizetype>(kCopyChunkBytes), Qt::Uninitialized);
    qint64 done = 0;
    while (done < total) {
        const qint64 want = qMin(kCopyChunkBytes, total - done);
        const qint64 got = in.read(chunk.data(), want);
        if (got != want)
            return failure(QStringLiteral("خواندن فايل %1 کامل نشد").arg(native(source)),
                           got < 0 ? in.errorString() : QString());
        if (out.write(chunk.constData(), got) != got)
            return failure(QStringLiteral("نوشتن در پوشه %1 کامل نشد").arg(native(folder)),
                           out.errorString());
        done += got;
        if (step)
            step(done, total);
    }
    // Something wrote to the source meanwhile: what was copied is no consistent picture.
    char extra;
    if (in.read(&extra, 1) != 0)
        return failure(QStringLiteral("فايل %1 در حين کپي تغيير کرد").arg(native(source)));
    if (!out.flush() || !syncToDisk(out))
        return failure(QStringLiteral("نوشتن در پوشه %1 کامل نشد").arg(native(folder)),
                       out.errorString());
    // The file keeps the access rights the target had; a new one takes the source's.
    out.setPermissions(to.exists() ? QFile::permissions(target) : from.permissions());
    out.close();
    in.close();

    if (beforeReplace) {
        const QString reason = beforeReplace(out.fileName());
        if (!reason.isEmpty())
            return failure(reason);
    }

    std::error_code ec;
    std::filesystem::rename(fsPath(out.fileName()), fsPath(target), ec);
    if (ec)
        return failure(QStringLiteral("فايل %1 جايگزين نشد").arg(native(target)),
                       QString::fromStdString(ec.message()));
    out.setAutoRemove(false);
    syncFolder(folder);
    return CopyResult{true, QString()};
}

} // namespace hov
