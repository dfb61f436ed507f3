#include "scoring/rawscores.h"

#include "scoring/scoringkey.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <string>

namespace hov {

namespace {

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Walks the text once, skipping blanks before every character it looks at.
class NumberReader {
public:
    explicit NumberReader(QStringView text) : text_(text) {}

    // The next character that is not a blank, or a null character at the end.
    QChar peek() {
        while (pos_ < text_.size() && isBlank(text_[pos_]))
            ++pos_;
        return pos_ < text_.size() ? text_[pos_] : QChar();
    }
    void take() { ++pos_; }
    qsizetype position() const { return pos_; }
    void rewind(qsizetype position) { pos_ = position; }

private:
    QStringView text_;
    qsizetype pos_ = 0;
};

} // namespace

double leadingNumber(QStringView text) {
    NumberReader in(text);

    bool negative = false;
    if (in.peek() == QLatin1Char('+') || in.peek() == QLatin1Char('-')) {
        negative = in.peek() == QLatin1Char('-');
        in.take();
    }

    // The digits go to a plain ASCII buffer for one exact conversion at the end; leading
    // zeros are dropped so the size of the number can be told from the buffer.
    std::string mantissa;
    qint64 integerDigits = 0;   // significant digits before the point
    qint64 zerosAfterPoint = 0; // zeros between the point and the first significant digit
    for (QChar c = in.peek(); isDigit(c); c = in.peek()) {
        if (!mantissa.empty() || c != QLatin1Char('0')) {
            mantissa += char(c.unicode());
            ++integerDigits;
        }
        in.take();
    }
    if (in.peek() == QLatin1Char('.')) {
        in.take();
        mantissa += '.';
        for (QChar c = in.peek(); isDigit(c); c = in.peek()) {
            if (integerDigits == 0 && mantissa.size() == 1 && c == QLatin1Char('0'))
                ++zerosAfterPoint;
            else
                mantissa += char(c.unicode());
            in.take();
        }
    }
    // No digits, or only zeros.
    if (mantissa.find_first_not_of('.') == std::string::npos)
        return 0.0;

    // An exponent counts only when at least one digit follows the letter and its sign.
    qint64 exponent = 0;
    if (in.peek() == QLatin1Char('e') || in.peek() == QLatin1Char('E')) {
        const qsizetype letter = in.position();
        in.take();
        bool negativeExponent = false;
        if (in.peek() == QLatin1Char('+') || in.peek() == QLatin1Char('-')) {
            negativeExponent = in.peek() == QLatin1Char('-');
            in.take();
        }
        bool exponentDigit = false;
        for (QChar c = in.peek(); isDigit(c); c = in.peek()) {
            exponentDigit = true;
            // Far beyond any double either way; saturating keeps the sum below from overflowing.
            exponent = std::min<qint64>(exponent * 10 + (c.unicode() - '0'), 1'000'000'000'000LL);
            in.take();
        }
        if (exponentDigit)
            exponent = negativeExponent ? -exponent : exponent;
        else
            in.rewind(letter);
    }
    // The dropped zeros after the point are put back through the exponent.
    exponent -= zerosAfterPoint;

    mantissa += 'e';
    mantissa += std::to_string(exponent);
    double value = 0.0;
    const std::errc error = std::from_chars(mantissa.data(), mantissa.data() + mantissa.size(),
                                            value, std::chars_format::general)
                                .ec;
    if (error == std::errc::result_out_of_range) {
        // Digits before the point plus the exponent give the decimal magnitude.
        const qint64 magnitude = integerDigits + exponent;
        value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (error != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

std::array<int, kScaleCount> rawScores(std::span<const QString> answers) {
    // Each answer is read once, however many scales key its item; unanswered items read as 0.
    std::array<double, kKeyItemMax> values{};
    const auto answered = std::min<std::size_t>(answers.size(), kKeyItemMax);
    for (std::size_t i = 0; i < answered; ++i)
        values[i] = leadingNumber(answers[i]);

    std::array<int, kScaleCount> scores{};
    for (const KeyEntry& entry : scoringKey()) {
        if (values[entry.item - 1] == entry.keyed)
            ++scores[entry.scale];
    }
    return scores;
}

QString scoreText(int score) {
    return QString::number(score);
}

} // namespace hov
