#include "scoring/interpretation.h"

#include "scoring/rawscores.h"

namespace hov {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

enum class Test { AtLeast, Below, AtMost };

struct Band {
    const QString* word;
    Test test;
    double cut;
    int column;
};

using namespace interpretation_text;

// Cut-offs per scale, tested from the top level down; the first band that holds is taken.
// The two-level scales leave a gap (above 55 and below 56 for Sp) in which no band holds.
const std::array<std::array<Band, 4>, kScaleCount>& bands() {
    static const Band none{nullptr, Test::AtLeast, 0, 0};
    static const std::array<std::array<Band, 4>, kScaleCount> table = {{
        /* Do */ {{{&kHigh, Test::AtLeast, 65, 1}, {&kAverage, Test::AtLeast, 50, 2},
                   {&kLowAverage, Test::AtLeast, 40, 3}, {&kLow, Test::Below, 40, 4}}},
        /* Cs */ {{{&kHigh, Test::AtLeast, 60, 1}, {&kAverage, Test::AtLeast, 45, 2},
                   {&kLowAverage, Test::AtLeast, 35, 3}, {&kLow, Test::Below, 35, 4}}},
        /* Sy */ {{{&kHigh, Test::AtLeast, 60, 1}, {&kAverage, Test::AtLeast, 50, 2},
                   {&kLowAverage, Test::AtLeast, 35, 3}, {&kLow, Test::Below, 35, 4}}},
        /* Sp */ {{{&kHigh, Test::AtLeast, 56, 1}, {&kLow, Test::AtMost, 55, 2}, none, none}},
        /* Sa */ {{{&kHigh, Test::AtLeast, 65, 1}, {&kAverage, Test::AtLeast, 50, 2},
                   {&kLowAverage, Test::AtLeast, 35, 3}, {&kLow, Test::Below, 35, 4}}},
        /* Wb */ {{{&kHigh, Test::AtLeast, 55, 1}, {&kAverage, Test::AtLeast, 35, 2},
                   {&kLow, Test::Below, 35, 3}, none}},
        /* Re */ {{{&kHigh, Test::AtLeast, 60, 1}, {&kAverage, Test::AtLeast, 40, 2},
                   {&kLow, Test::Below, 40, 3}, none}},
        /* So */ {{{&kHigh, Test::AtLeast, 65, 1}, {&kAverage, Test::AtLeast, 50, 2},
                   {&kLowAverage, Test::AtLeast, 30, 3}, {&kLow, Test::Below, 30, 4}}},
        /* Sc */ {{{&kHigh, Test::AtLeast, 60, 1}, {&kAverage, Test::AtLeast, 45, 2},
                   {&kLowAverage, Test::AtLeast, 30, 3}, {&kLow, Test::Below, 30, 4}}},
        /* To */ {{{&kHigh, Test::AtLeast, 60, 1}, {&kAverage, Test::AtLeast, 45, 2},
                   {&kLow, Test::Below, 45, 3}, none}},
        /* Gi */ {{{&kHigh, Test::AtLeast, 60, 1}, {&kAverage, Test::AtLeast, 45, 2},
                   {&kLowAverage, Test::AtLeast, 30, 3}, {&kLow, Test::Below, 30, 4}}},
        /* Cm */ {{{&kHigh, Test::AtLeast, 51, 1}, {&kLow, Test::AtMost, 50, 2}, none, none}},
        /* Ac */ {{{&kHigh, Test::AtLeast, 60, 1}, {&kAverage, Test::AtLeast, 50, 2},
                   {&kLow, Test::Below, 50, 3}, none}},
        /* Ai */ {{{&kHigh, Test::AtLeast, 60, 1}, {&kAverage, Test::AtLeast, 40, 2},
                   {&kLow, Test::Below, 40, 3}, none}},
        /* Ie */ {{{&kHigh, Test::AtLeast, 60, 1}, {&kAverage, Test::AtLeast, 40, 2},
                   {&kLow, Test::Below, 40, 3}, none}},
        /* Py */ {{{&kHigh, Test::AtLeast, 51, 1}, {&kLow, Test::AtMost, 50, 2}, none, none}},
        /* Fx */ {{{&kHigh, Test::AtLeast, 65, 1}, {&kAverage, Test::AtLeast, 50, 2},
                   {&kLowAverage, Test::AtLeast, 35, 3}, {&kLow, Test::Below, 35, 4}}},
        /* Fe */ {{{&kHigh, Test::AtLeast, 70, 1}, {&kAverage, Test::AtLeast, 60, 2},
                   {&kLowAverage, Test::AtLeast, 40, 3}, {&kLow, Test::Below, 40, 4}}},
    }};
    return table;
}

bool holds(const Band& band, double t) {
    switch (band.test) {
    case Test::AtLeast:
        return t >= band.cut;
    case Test::Below:
        return t < band.cut;
    case Test::AtMost:
        return t <= band.cut;
    }
    return false;
}

const ParagraphRow* rowWithId(std::span<const ParagraphRow> rows, int id) {
    const QString key = QString::number(id);
    for (const ParagraphRow& row : rows)
        if (row.id == key)
            return &row;
    return nullptr;
}

constexpr int kWb = 5;
constexpr int kGi = 10;
constexpr int kCm = 11;
constexpr int kFe = 17;

} // namespace

std::optional<ScaleLevel> scaleLevel(int scale, double t) {
    if (scale < 0 || scale >= kScaleCount)
        return std::nullopt;
    for (const Band& band : bands()[static_cast<size_t>(scale)]) {
        if (band.word && holds(band, t))
            return ScaleLevel{*band.word, band.column};
    }
    return std::nullopt;
}

std::optional<double> tValue(const QString& text) {
    // A number must start the text (after blanks and a sign), as the leading-number reading
    // would find it; "" or "x" hold none and are not read as 0.
    qsizetype i = 0;
    while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    if (i < text.size() && text[i] == QLatin1Char('.'))
        ++i;
    if (i >= text.size() || text[i] < QLatin1Char('0') || text[i] > QLatin1Char('9'))
        return std::nullopt;
    return leadingNumber(text);
}

QString interpret(const InterpretationInput& input, std::span<const ParagraphRow> rows) {
    QString text = input.header + kCrLf + kCrLf;
    text += kDisclaimer + kCrLf;
    if (!isInterpretable(input.unanswered))
        return text + kNotInterpretable + kCrLf;

    const bool male = input.sex == kMaleText;
    const std::optional<double> cm = tValue(input.tScores[kCm]);
    const std::optional<double> wb = tValue(input.tScores[kWb]);
    const std::optional<double> gi = tValue(input.tScores[kGi]);
    if (cm && *cm < (male ? 30 : 25))
        text += kRandomAnswering + kCrLf;
    if (cm && wb && *wb < (male ? 28 : 32) && *cm < (male ? 30 : 25))
        text += kFakingBad + kCrLf;
    if (gi && *gi > (male ? 68 : 70))
        text += kFakingGood + kCrLf;

    for (int scale = 0; scale < kScaleCount; ++scale) {
        const std::optional<double> t = tValue(input.tScores[static_cast<size_t>(scale)]);
        if (!t)
            continue;
        const std::optional<ScaleLevel> level = scaleLevel(scale, *t);
        if (!level)
            continue;
        const int id = scale == kFe ? (male ? 18 : 19) : scale + 1;
        const ParagraphRow* row = rowWithId(rows, id);
        if (!row)
            continue;
        text += row->name + level->word + kCrLf;
        text += row->paragraphs[static_cast<size_t>(level->column - 1)] + kCrLf;
    }
    return text;
}

} // namespace hov
