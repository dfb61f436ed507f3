#pragma once

#include "scoring/tscores.h"

#include <QString>

#include <array>
#include <optional>
#include <span>

namespace hov {

// One row of the paragraph table: its id ("1" to "19"), the heading of its topic and the
// paragraphs of columns 1 to 4 (column 5 is never used).
struct ParagraphRow {
    QString id;
    QString name;
    std::array<QString, 4> paragraphs;
};

// Everything the automatic interpretation reads of one subject.
struct InterpretationInput {
    QString header;         // the subject header line
    ScaleTexts tScores;     // T texts in scale order, as shown
    QString sex;            // "مرد" reads the male validity cut-offs and row 18 for Fe
    int unanswered = 0;     // number of unanswered items
};

// The fixed sentences of the interpretation.
namespace interpretation_text {
inline const QString kDisclaimer =
    QStringLiteral("اين يك تفسير سيستمي مي باشد و حتما بايد توسط يك روانشناس مجرب تائيد گردد.");
inline const QString kNotInterpretable =
    QStringLiteral("با توجه به تعداد سوالات بدون پاسخهاي پروفايل قابل تفسير نمي باشد.");
inline const QString kRandomAnswering =
    QStringLiteral("احتمالا آزمودني سوالات را بصورت تصادفي پاسخ داده است.");
inline const QString kFakingBad = QStringLiteral(
    "آزمودني وانمود بد داشته و اين لزوما نشانه ناسازگاري نيست و ممكن است نشانگرفريادي براي كمك "
    "باشد احتمال خودكشي و يا تمارض بررسي شود.");
inline const QString kFakingGood =
    QStringLiteral("آزمودني از سطح سازگاري بالايي بخوردار است و يا وانمود خوب داشته است.");
// The level words; each closes a heading line, with a blank on either side.
inline const QString kHigh = QStringLiteral(" بالا ");
inline const QString kAverage = QStringLiteral(" متوسط ");
inline const QString kLowAverage = QStringLiteral(" متوسط پايين ");
inline const QString kLow = QStringLiteral(" پايين ");
} // namespace interpretation_text

// More unanswered items than this leave the profile not interpretable.
inline constexpr int kMostUnansweredForInterpretation = 30;
inline bool isInterpretable(int unanswered) {
    return unanswered <= kMostUnansweredForInterpretation;
}

// The level a scale's T score falls in and the paragraph column (1 to 4) it writes; nullopt
// for a T between the two cut-offs of a two-level scale (Sp, Cm, Py), which writes nothing.
struct ScaleLevel {
    QString word;
    int column = 0;
};
std::optional<ScaleLevel> scaleLevel(int scale, double t);

// The T score of a T text, or nullopt when the text holds no number (empty, or not starting
// with one): a scale without a T score is not interpreted, and no validity statement is drawn
// from it.
std::optional<double> tValue(const QString& text);

// The automatic interpretation: the header line and an empty line, the disclaimer, then
// either the not-interpretable sentence (more than 30 unanswered) or the validity statements
// that apply and, per scale in scale order, a heading (topic name and level word) and the
// level's paragraph. Every piece ends with CR LF. A scale whose paragraph row is missing
// writes nothing. The result depends only on its inputs.
QString interpret(const InterpretationInput& input, std::span<const ParagraphRow> rows);

} // namespace hov
