#include "updater/serveraddress.h"

#include <QFile>
#include <QUrl>

namespace hovupdate {

ServerAddress serverAddress(const QString& folder) {
    QFile file(folder + QLatin1Char('/') + kServerFileName);
    if (!file.exists())
        return {kDefaultServer, true};
    if (!file.open(QIODevice::ReadOnly))
        return {{}, false};
    QString line = QString::fromUtf8(file.read(4096));
    const qsizetype end = line.indexOf(QLatin1Char('\n'));
    if (end >= 0)
        line.truncate(end);
    line = line.trimmed();
    if (line.startsWith(QChar(0xFEFF)))
        line.remove(0, 1);
    while (line.endsWith(QLatin1Char('/')))
        line.chop(1);
    const QUrl url(line, QUrl::StrictMode);
    if (!url.isValid() || (url.scheme() != QLatin1String("https") && url.scheme() != QLatin1String("http")) ||
        url.host().isEmpty() || url.hasQuery() || url.hasFragment())
        return {{}, false};
    return {line, true};
}

} // namespace hovupdate
