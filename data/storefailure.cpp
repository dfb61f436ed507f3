#include "data/storefailure.h"

#include "data/bidi.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>

namespace hov {

namespace {

using Kind = StoreFailure::Kind;

// SQLite's primary result codes (the low byte of an extended code).
constexpr int kSqliteBusy = 5;
constexpr int kSqliteLocked = 6;
constexpr int kSqliteReadOnly = 8;
constexpr int kSqliteCorrupt = 11;
constexpr int kSqliteFull = 13;
constexpr int kSqliteCantOpen = 14;
constexpr int kSqliteNotADb = 26;

Kind kindOfCode(int code) {
    switch (code & 0xff) {
    case kSqliteBusy:
    case kSqliteLocked: return Kind::Locked;
    case kSqliteReadOnly: return Kind::ReadOnly;
    case kSqliteCorrupt:
    case kSqliteNotADb: return Kind::NotADatabase;
    case kSqliteFull: return Kind::DiskFull;
    case kSqliteCantOpen: return Kind::Missing;
    default: return Kind::Other;
    }
}

// The driver's words, for an error that came without a result code.
Kind kindOfText(const QString& text) {
    const struct {
        const char* words;
        Kind kind;
    } known[] = {
        {"database is locked", Kind::Locked},       {"database table is locked", Kind::Locked},
        {"readonly database", Kind::ReadOnly},      {"read-only", Kind::ReadOnly},
        {"disk is full", Kind::DiskFull},           {"file is not a database", Kind::NotADatabase},
        {"malformed", Kind::NotADatabase},          {"unable to open database", Kind::Missing},
        {"no such table", Kind::MissingTable},
    };
    for (const auto& k : known)
        if (text.contains(QLatin1String(k.words), Qt::CaseInsensitive))
            return k.kind;
    return Kind::Other;
}

} // namespace

QString missingFileMessage(const QString& path) {
    const QFileInfo info(path);
    return QStringLiteral("فايل اطلاعاتي %1 در پوشه %2 پيدا نشد يا قابل خواندن نيست")
        .arg(isolated(info.fileName()), isolatedPath(info.absolutePath()));
}

QString describe(const StoreFailure& failure) {
    const QFileInfo info(failure.path);
    const QString file = isolated(info.fileName());
    const QString folder = isolatedPath(info.absolutePath());
    switch (failure.kind) {
    case Kind::None: return QString();
    case Kind::Missing: return missingFileMessage(failure.path);
    case Kind::NotADatabase:
        return QStringLiteral("فايل اطلاعاتي %1 در پوشه %2 خراب است يا فايل اطلاعاتي اين برنامه نيست")
            .arg(file, folder);
    case Kind::MissingTable:
        if (failure.reason.isEmpty())
            return QStringLiteral("فايل اطلاعاتي %1 در پوشه %2 ناقص است يا فايل اطلاعاتي اين برنامه نيست")
                .arg(file, folder);
        return QStringLiteral("فايل اطلاعاتي %1 در پوشه %2 جدول %3 را ندارد؛ فايل ناقص است يا فايل اطلاعاتي اين برنامه نيست")
            .arg(file, folder, isolated(failure.reason));
    case Kind::ReadOnly:
        return QStringLiteral("در فايل اطلاعاتي %1 نمي توان نوشت: فايل يا پوشه %2 فقط خواندني است")
            .arg(file, folder);
    case Kind::DiskFull:
        return QStringLiteral("ديسک پر است و در فايل اطلاعاتي %1 چيزي ذخيره نشد").arg(file);
    case Kind::Locked:
        return QStringLiteral("فايل اطلاعاتي %1 در اختيار برنامه ديگري است؛ آن برنامه را ببنديد و دوباره امتحان کنيد")
            .arg(file);
    case Kind::Other: break;
    }
    QString text = QStringLiteral("خواندن يا نوشتن فايل اطلاعاتي %1 انجام نشد").arg(file);
    if (!failure.reason.isEmpty())
        text += QStringLiteral(": ") + failure.reason;
    return text;
}

StoreFailure storeFailure(const QString& path, const QSqlError& error) {
    StoreFailure failure;
    failure.path = path;
    failure.detail = error.text();
    bool numeric = false;
    const int code = error.nativeErrorCode().toInt(&numeric);
    failure.kind = numeric ? kindOfCode(code) : Kind::Other;
    // SQLite reports a missing table, a failed trigger and a bad statement alike (code 1):
    // the words tell them apart.
    if (failure.kind == Kind::Other)
        failure.kind = kindOfText(failure.detail);
    if (failure.kind == Kind::MissingTable) {
        const qsizetype at = failure.detail.indexOf(QLatin1String("no such table:"));
        if (at >= 0)
            failure.reason = failure.detail.mid(at + 14).section(QLatin1Char(' '), 1, 1);
    }
    return failure;
}

} // namespace hov
