#include "update/updateserver.h"

#include <QFile>

namespace hov::update {

QString parseServerBase(const QByteArray& fileText) {
    QString line = QString::fromUtf8(fileText);
    const qsizetype end = line.indexOf(QLatin1Char('\n'));
    if (end >= 0)
        line.truncate(end);
    line = line.trimmed();
    if (line.startsWith(QChar(0xFEFF)))
        line.remove(0, 1);
    while (line.endsWith(QLatin1Char('/')))
        line.chop(1);
    const QUrl url(line, QUrl::StrictMode);
    const QString scheme = url.scheme();
    if (!url.isValid() || (scheme != QLatin1String("https") && scheme != QLatin1String("http")) ||
        url.host().isEmpty() || url.hasQuery() || url.hasFragment())
        return {};
    return line;
}

ServerAddress updateServerBase(const QString& appFolderPath) {
    QFile file(appFolderPath + QLatin1Char('/') + kUpdateServerFileName);
    if (!file.exists())
        return {kDefaultUpdateServer, false, true};
    ServerAddress address{{}, true, false};
    if (file.open(QIODevice::ReadOnly)) {
        address.base = parseServerBase(file.read(4096));
        address.valid = !address.base.isEmpty();
    }
    return address;
}

QUrl versionFileUrl(const QString& serverBase) {
    return QUrl(serverBase + kVersionFilePath);
}

} // namespace hov::update
