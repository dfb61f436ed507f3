#pragma once

#include <QString>
#include <chrono>
#include <functional>
#include <future>

namespace hov {

// Files are copied in chunks of this size, the last one shorter.
inline constexpr qint64 kCopyChunkBytes = 4048;

// What a running copy tells its caller, so that a window can let its events run and show
// how far the copy has come.
struct CopyProgress {
    // After each chunk, with the bytes copied so far and the source's length.
    std::function<void(qint64 done, qint64 total)> chunkCopied;
    // Every few milliseconds while the copy waits for the disk to take the copied bytes.
    std::function<void()> waiting;
};
// Runs a call that waits (for the disk, for a check of a whole file) on a helper thread and
// the caller's waiting callback every few milliseconds meanwhile, so a window keeps
// handling its events. Without a waiting callback the call simply runs.
template <typename Work>
auto runWhileWaiting(Work work, const CopyProgress& progress) -> decltype(work()) {
    if (!progress.waiting)
        return work();
    auto done = std::async(std::launch::async, std::move(work));
    while (done.wait_for(std::chrono::milliseconds(2)) != std::future_status::ready)
        progress.waiting();
    return done.get();
}

struct CopyResult {
    bool ok = false;
    // For the operator: what went wrong, in Persian, naming the file.
    QString error;
    // The system's or the driver's own words, for the details of an error box.
    QString detail;
    // The copy was complete, but the target could not be replaced (a file in use, say).
    bool atReplace = false;

    static CopyResult success() { return {true, {}, {}, false}; }
    static CopyResult failure(const QString& error, const QString& detail = QString()) {
        return {false, error, detail, false};
    }
};

// Runs on the complete, flushed temporary file before it replaces the target; a failure
// stops the copy with its reason.
using BeforeReplace = std::function<CopyResult(const QString& temporaryPath)>;

// Copies source to target so that the target is either left exactly as it was or holds
// exactly the source's bytes: the copy goes to a temporary file beside the target, is
// flushed to the disk, and then takes the target's name in one step. Every failure comes
// back with its reason and leaves no temporary file behind.
CopyResult copyFileSafely(const QString& source, const QString& target,
                          const CopyProgress& progress = {},
                          const BeforeReplace& beforeReplace = {});

} // namespace hov
