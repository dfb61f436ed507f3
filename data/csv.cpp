#include "data/csv.h"

namespace hov::csv {

QString neutralised(const QString& value) {
    if (value.isEmpty())
        return value;
    switch (value.front().unicode()) {
    case u'=':
    case u'+':
    case u'-':
    case u'@':
    case u'\t':
    case u'\r':
        return QLatin1Char('\'') + value;
    default:
        return value;
    }
}

QString field(const QString& value) {
    QString text = neutralised(value);
    const bool quote = text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) ||
                       text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')) ||
                       (!text.isEmpty() && (text.front().isSpace() || text.back().isSpace()));
    if (!quote)
        return text;
    text.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QByteArray document(const QList<QStringList>& records) {
    QString text;
    for (const QStringList& record : records) {
        QStringList fields;
        fields.reserve(record.size());
        for (const QString& value : record)
            fields << field(value);
        text += fields.join(QLatin1Char(',')) + QLatin1String("\r\n");
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

} // namespace hov::csv
