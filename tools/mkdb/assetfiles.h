#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <stdexcept>

namespace hov::mkdb {

// A malformed asset. The message names the file (and line where there is one), so the
// build log tells a distributor what to fix.
class AssetError : public std::runtime_error {
public:
    explicit AssetError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

inline constexpr int kItemCount = 480;
inline constexpr int kHighestRawScore = 56;
inline constexpr int kParagraphRows = 19;
inline constexpr int kParagraphColumns = 5;

// Scale codes in scale order with their number of keyed items; the norm table must hold a
// T score for every raw score a scale can reach.
struct NormScale {
    const char* code;
    int keyed;
};
inline constexpr std::array<NormScale, 18> kNormScales{{
    {"Do", 46},
    {"Cs", 32},
    {"Sy", 36},
    {"Sp", 56},
    {"Sa", 33},
    {"Wb", 44},
    {"Re", 41},
    {"So", 55},
    {"Sc", 50},
    {"To", 32},
    {"Gi", 40},
    {"Cm", 27},
    {"Ac", 38},
    {"Ai", 32},
    {"Ie", 51},
    {"Py", 22},
    {"Fx", 21},
    {"Fe", 38},
}};

// "Dom" ... "Fem", then "Dof" ... "Fef": the 36 T-score columns in table order.
QStringList normColumns();

struct ParagraphRow {
    QString name;
    std::array<QString, kParagraphColumns> paragraphs;
};

struct NormRow {
    QString score;
    QStringList tScores; // one per normColumns() entry
};

// The one row of the settings table.
struct Settings {
    QString name, adress, t1, t2, t3, t4, t5, t6, t11, th;
    int check1 = 0;
};

// The parsed content of the assets folder.
struct Assets {
    QStringList items;              // item 1 at index 0
    QList<NormRow> norms;           // Score "0" .. "56", in that order
    QList<ParagraphRow> paragraphs; // id "1" .. "19", in that order
    Settings settings;
};

// Each reader throws AssetError on the first fault it finds.
QStringList readItems(const QString& path);
QList<NormRow> readNorms(const QString& path);
QList<ParagraphRow> readParagraphs(const QString& path);
Settings readSettings(const QString& path);

// items.txt, norms.csv, paragraphs.txt and settings.txt of one folder.
Assets readAssets(const QString& folder);

} // namespace hov::mkdb
