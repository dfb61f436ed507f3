#pragma once

// Real write failures for tests, without touching the machine's disks: a small file
// system mounted for the test (root only, where the machine allows mounts) and a limit
// on the size of files this process writes (anywhere).

#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

namespace hovtest {

// A tmpfs of the given size on a fresh temporary folder, unmounted when this goes.
class ScopedTmpfs {
public:
    explicit ScopedTmpfs(qint64 bytes) {
        if (!dir_.isValid() || ::geteuid() != 0)
            return;
        const QByteArray options = "size=" + QByteArray::number(bytes);
        mounted_ = ::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs",
                           MS_NOSUID | MS_NODEV, options.constData()) == 0;
    }
    ~ScopedTmpfs() {
        if (mounted_)
            ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
    }
    ScopedTmpfs(const ScopedTmpfs&) = delete;
    ScopedTmpfs& operator=(const ScopedTmpfs&) = delete;

    bool isMounted() const { return mounted_; }
    QString path() const { return dir_.path(); }
    // From now on nothing can be written there.
    bool makeReadOnly() {
        return mounted_ && ::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs",
                                   MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV, nullptr) == 0;
    }

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
};

// Writes past the given offset of any file fail ("File too large") while this lives:
// how a disk that fills up in the middle of a copy looks to the program.
class ScopedFileSizeLimit {
public:
    explicit ScopedFileSizeLimit(qint64 bytes) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = static_cast<rlim_t>(bytes);
        active_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~ScopedFileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
    ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;
    bool isActive() const { return active_; }

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
    bool active_ = false;
};

} // namespace hovtest
