#include "assetfiles.h"

#include <QFile>
#include <QHash>
#include <QStringDecoder>

#include <map>

namespace hov::mkdb {

namespace {

struct Line {
    int number; // 1-based, for messages
    QString text;
};

// One "%%" record: the key line and the lines after it.
struct Record {
    int line;
    QString key;
    QList<Line> body;
};

const QString kSeparator = QStringLiteral("%%");

// The file as lines, without line ends or trailing blanks; CRLF and a byte order mark
// are accepted because editors on the distributor's side write them.
QList<Line> readLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw AssetError(QStringLiteral("%1: cannot be read (%2)").arg(path, file.errorString()));
    }
    QStringDecoder decode(QStringDecoder::Utf8);
    QString text = decode(file.readAll());
    if (decode.hasError()) {
        throw AssetError(QStringLiteral("%1: is not UTF-8 text").arg(path));
    }
    if (text.startsWith(QChar(0xFEFF))) {
        text.remove(0, 1);
    }
    QList<Line> lines;
    const QStringList raw = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < raw.size(); ++i) {
        QString line = raw[i];
        while (!line.isEmpty() && line.back().isSpace()) {
            line.chop(1);
        }
        lines.append({static_cast<int>(i + 1), line});
    }
    return lines;
}

bool isCommentOrBlank(const QString& line) {
    return line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#'));
}

// A never-null copy: Qt binds a null QString as SQL NULL, and the tables want '' there.
QString text(const QString& value) {
    return value.isNull() ? QString(QLatin1String("")) : value;
}

// The lines joined with a line feed, without blank lines at either end.
QString joinText(QList<Line> lines) {
    while (!lines.isEmpty() && lines.front().text.trimmed().isEmpty()) {
        lines.removeFirst();
    }
    while (!lines.isEmpty() && lines.back().text.trimmed().isEmpty()) {
        lines.removeLast();
    }
    QStringList parts;
    for (const Line& line : lines) {
        parts.append(line.text);
    }
    return text(parts.join(QLatin1Char('\n')));
}

// The number written in canonical decimal ("7", not "07" or " 7"), or -1. The key is
// compared as text by the program, so only the canonical form is a valid key.
int canonicalNumber(const QString& key, int lowest, int highest) {
    bool ok = false;
    const int value = key.toInt(&ok);
    if (!ok || value < lowest || value > highest || QString::number(value) != key) {
        return -1;
    }
    return value;
}

QList<Record> readRecords(const QString& path) {
    const QList<Line> lines = readLines(path);
    qsizetype i = 0;
    for (; i < lines.size() && lines[i].text != kSeparator; ++i) {
        if (!isCommentOrBlank(lines[i].text)) {
            throw AssetError(QStringLiteral("%1:%2: text before the first %% line; "
                                            "comments start with #")
                                 .arg(path)
                                 .arg(lines[i].number));
        }
    }
    QList<Record> records;
    while (i < lines.size()) {
        const Line& separator = lines[i++];
        if (i >= lines.size() || lines[i].text == kSeparator || lines[i].text.trimmed().isEmpty()) {
            throw AssetError(QStringLiteral("%1:%2: a %% line must be followed by the "
                                            "record's number")
                                 .arg(path)
                                 .arg(separator.number));
        }
        Record record{lines[i].number, lines[i].text.trimmed(), {}};
        for (++i; i < lines.size() && lines[i].text != kSeparator; ++i) {
            record.body.append(lines[i]);
        }
        records.append(record);
    }
    return records;
}

QString listOf(const QList<int>& numbers) {
    QStringList parts;
    for (int n : numbers.mid(0, 10)) {
        parts.append(QString::number(n));
    }
    if (numbers.size() > 10) {
        parts.append(QStringLiteral("..."));
    }
    return parts.join(QStringLiteral(", "));
}

// Numbers lowest..highest that the map lacks.
template <typename Map> QList<int> missing(const Map& found, int lowest, int highest) {
    QList<int> result;
    for (int n = lowest; n <= highest; ++n) {
        if (!found.contains(n)) {
            result.append(n);
        }
    }
    return result;
}

// A comma-separated line; a field may be wrapped in double quotes, as spreadsheets write it.
QStringList csvFields(const QString& line) {
    QStringList fields = line.split(QLatin1Char(','));
    for (QString& field : fields) {
        field = field.trimmed();
        if (field.size() >= 2 && field.startsWith(QLatin1Char('"')) &&
            field.endsWith(QLatin1Char('"'))) {
            field = field.mid(1, field.size() - 2).trimmed();
        }
        field = text(field);
    }
    return fields;
}

bool isWholeNumber(const QString& value) {
    if (value.isEmpty()) {
        return false;
    }
    for (QChar c : value) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return false;
        }
    }
    return true;
}

} // namespace

QStringList normColumns() {
    QStringList columns;
    for (const char* sex : {"m", "f"}) {
        for (const NormScale& scale : kNormScales) {
            columns.append(QLatin1String(scale.code) + QLatin1String(sex));
        }
    }
    return columns;
}

QStringList readItems(const QString& path) {
    std::map<int, QString> items;
    QHash<int, int> firstLine;
    for (const Record& record : readRecords(path)) {
        const int number = canonicalNumber(record.key, 1, kItemCount);
        if (number < 0) {
            throw AssetError(QStringLiteral("%1:%2: \"%3\" is not an item number from 1 to %4")
                                 .arg(path)
                                 .arg(record.line)
                                 .arg(record.key)
                                 .arg(kItemCount));
        }
        if (firstLine.contains(number)) {
            throw AssetError(QStringLiteral("%1:%2: item %3 appears twice (first at line %4)")
                                 .arg(path)
                                 .arg(record.line)
                                 .arg(number)
                                 .arg(firstLine.value(number)));
        }
        const QString wording = joinText(record.body);
        if (wording.isEmpty()) {
            throw AssetError(QStringLiteral("%1:%2: item %3 has no text")
                                 .arg(path)
                                 .arg(record.line)
                                 .arg(number));
        }
        firstLine.insert(number, record.line);
        items.emplace(number, wording);
    }
    if (static_cast<int>(items.size()) != kItemCount) {
        throw AssetError(QStringLiteral("%1: %2 items, expected %3; missing: %4")
                             .arg(path)
                             .arg(items.size())
                             .arg(kItemCount)
                             .arg(listOf(missing(items, 1, kItemCount))));
    }
    QStringList result;
    for (const auto& [number, wording] : items) {
        result.append(wording);
    }
    return result;
}

QList<NormRow> readNorms(const QString& path) {
    const QStringList columns = normColumns();
    const QStringList header = QStringList{QStringLiteral("Score")} + columns;
    std::map<int, NormRow> rows;
    bool headerSeen = false;
    for (const Line& line : readLines(path)) {
        if (isCommentOrBlank(line.text)) {
            continue;
        }
        const QStringList fields = csvFields(line.text);
        if (!headerSeen) {
            if (fields != header) {
                throw AssetError(QStringLiteral("%1:%2: the header must be %3")
                                     .arg(path)
                                     .arg(line.number)
                                     .arg(header.join(QLatin1Char(','))));
            }
            headerSeen = true;
            continue;
        }
        if (fields.size() != header.size()) {
            throw AssetError(QStringLiteral("%1:%2: %3 fields, expected %4")
                                 .arg(path)
                                 .arg(line.number)
                                 .arg(fields.size())
                                 .arg(header.size()));
        }
        const int score = canonicalNumber(fields[0], 0, kHighestRawScore);
        if (score < 0) {
            throw AssetError(QStringLiteral("%1:%2: Score \"%3\" is not a raw score from 0 to %4")
                                 .arg(path)
                                 .arg(line.number)
                                 .arg(fields[0])
                                 .arg(kHighestRawScore));
        }
        if (rows.count(score) != 0) {
            throw AssetError(QStringLiteral("%1:%2: a second row for Score %3")
                                 .arg(path)
                                 .arg(line.number)
                                 .arg(score));
        }
        NormRow row{fields[0], fields.mid(1)};
        for (qsizetype c = 0; c < row.tScores.size(); ++c) {
            const QString& value = row.tScores[c];
            // Above a scale's number of keyed items the cell is never read and may be empty.
            const bool reachable = score <= kNormScales[c % kNormScales.size()].keyed;
            if ((reachable || !value.isEmpty()) && !isWholeNumber(value)) {
                throw AssetError(
                    QStringLiteral("%1:%2: Score %3, column %4: \"%5\" is not a T score")
                        .arg(path)
                        .arg(line.number)
                        .arg(score)
                        .arg(columns[c], value));
            }
        }
        rows.emplace(score, row);
    }
    if (!headerSeen) {
        throw AssetError(QStringLiteral("%1: no header line").arg(path));
    }
    const QList<int> absent = missing(rows, 0, kHighestRawScore);
    if (!absent.isEmpty()) {
        throw AssetError(QStringLiteral("%1: no row for Score %2").arg(path, listOf(absent)));
    }
    QList<NormRow> result;
    for (const auto& [score, row] : rows) {
        result.append(row);
    }
    return result;
}

QList<ParagraphRow> readParagraphs(const QString& path) {
    const QStringList fieldNames{QStringLiteral("Name"), QStringLiteral("1"), QStringLiteral("2"),
                                 QStringLiteral("3"),    QStringLiteral("4"), QStringLiteral("5")};
    std::map<int, ParagraphRow> rows;
    for (const Record& record : readRecords(path)) {
        const int id = canonicalNumber(record.key, 1, kParagraphRows);
        if (id < 0) {
            throw AssetError(QStringLiteral("%1:%2: \"%3\" is not a row id from 1 to %4")
                                 .arg(path)
                                 .arg(record.line)
                                 .arg(record.key)
                                 .arg(kParagraphRows));
        }
        if (rows.count(id) != 0) {
            throw AssetError(
                QStringLiteral("%1:%2: row %3 appears twice").arg(path).arg(record.line).arg(id));
        }
        // Field name -> its lines; a field starts at a line "[Name]" or "[1]" .. "[5]".
        QHash<QString, QList<Line>> fields;
        QString current;
        for (const Line& line : record.body) {
            const QString trimmed = line.text.trimmed();
            if (trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']')) &&
                fieldNames.contains(trimmed.mid(1, trimmed.size() - 2))) {
                current = trimmed.mid(1, trimmed.size() - 2);
                if (fields.contains(current)) {
                    throw AssetError(QStringLiteral("%1:%2: row %3 has [%4] twice")
                                         .arg(path)
                                         .arg(line.number)
                                         .arg(id)
                                         .arg(current));
                }
                fields.insert(current, {});
            } else if (current.isEmpty()) {
                if (!trimmed.isEmpty()) {
                    throw AssetError(QStringLiteral("%1:%2: text before the row's first field "
                                                    "([Name], [1] .. [5])")
                                         .arg(path)
                                         .arg(line.number));
                }
            } else {
                fields[current].append(line);
            }
        }
        for (const QString& name : fieldNames) {
            if (!fields.contains(name)) {
                throw AssetError(QStringLiteral("%1:%2: row %3 has no [%4] field")
                                     .arg(path)
                                     .arg(record.line)
                                     .arg(id)
                                     .arg(name));
            }
        }
        ParagraphRow row;
        row.name = joinText(fields.value(QStringLiteral("Name")));
        if (row.name.isEmpty()) {
            throw AssetError(QStringLiteral("%1:%2: row %3 has an empty name")
                                 .arg(path)
                                 .arg(record.line)
                                 .arg(id));
        }
        for (int c = 0; c < kParagraphColumns; ++c) {
            row.paragraphs[c] = joinText(fields.value(QString::number(c + 1)));
        }
        rows.emplace(id, row);
    }
    const QList<int> absent = missing(rows, 1, kParagraphRows);
    if (!absent.isEmpty()) {
        throw AssetError(QStringLiteral("%1: no row %2").arg(path, listOf(absent)));
    }
    QList<ParagraphRow> result;
    for (const auto& [id, row] : rows) {
        result.append(row);
    }
    return result;
}

Settings readSettings(const QString& path) {
    Settings settings;
    const std::map<QString, QString*> fields{
        {QStringLiteral("Name"), &settings.name}, {QStringLiteral("Adress"), &settings.adress},
        {QStringLiteral("T1"), &settings.t1},     {QStringLiteral("T2"), &settings.t2},
        {QStringLiteral("T3"), &settings.t3},     {QStringLiteral("T4"), &settings.t4},
        {QStringLiteral("T5"), &settings.t5},     {QStringLiteral("T6"), &settings.t6},
        {QStringLiteral("T11"), &settings.t11},   {QStringLiteral("TH"), &settings.th},
    };
    const QString check1Key = QStringLiteral("Check1");
    QHash<QString, int> seen;
    for (const Line& line : readLines(path)) {
        if (isCommentOrBlank(line.text)) {
            continue;
        }
        const qsizetype equals = line.text.indexOf(QLatin1Char('='));
        if (equals < 0) {
            throw AssetError(
                QStringLiteral("%1:%2: expected key = value").arg(path).arg(line.number));
        }
        const QString key = line.text.left(equals).trimmed();
        QString value = line.text.mid(equals + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) &&
            value.endsWith(QLatin1Char('"'))) {
            value = value.mid(1, value.size() - 2);
        }
        value = text(value);
        if (seen.contains(key)) {
            throw AssetError(QStringLiteral("%1:%2: %3 given twice (first at line %4)")
                                 .arg(path)
                                 .arg(line.number)
                                 .arg(key)
                                 .arg(seen.value(key)));
        }
        seen.insert(key, line.number);
        if (key == check1Key) {
            if (value != QLatin1String("0") && value != QLatin1String("1")) {
                throw AssetError(
                    QStringLiteral("%1:%2: Check1 must be 0 or 1").arg(path).arg(line.number));
            }
            settings.check1 = value.toInt();
        } else if (const auto field = fields.find(key); field != fields.end()) {
            *field->second = value;
        } else {
            throw AssetError(
                QStringLiteral("%1:%2: unknown key \"%3\"").arg(path).arg(line.number).arg(key));
        }
    }
    for (const auto& [key, field] : fields) {
        if (!seen.contains(key)) {
            throw AssetError(QStringLiteral("%1: no value for %2").arg(path, key));
        }
    }
    if (!seen.contains(check1Key)) {
        throw AssetError(QStringLiteral("%1: no value for %2").arg(path, check1Key));
    }
    return settings;
}

Assets readAssets(const QString& folder) {
    const auto file = [&](const char* name) {
        return folder + QLatin1Char('/') + QLatin1String(name);
    };
    return Assets{readItems(file("items.txt")), readNorms(file("norms.csv")),
                  readParagraphs(file("paragraphs.txt")), readSettings(file("settings.txt"))};
}

} // namespace hov::mkdb
