#include "ui/kit/theme.h"

#include <QFile>
#include <QLabel>
#include <QPalette>
#include <QSaveFile>
#include <QTextStream>
#include <QWidget>

namespace hov {

namespace {
// The colour part way from a to b (0: a, 1: b). Unlike lighter(), it also moves black.
QColor blend(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t));
}

void colourSkinLabel(QLabel* label, const QColor& colour) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
}
} // namespace

Skin defaultSkin() {
    Skin s;
    s.name = QStringLiteral("default");
    s.window = QColor(0xec, 0xe9, 0xd8);
    s.text = QColor(0x1a, 0x1a, 0x1a);
    s.base = QColor(0xff, 0xff, 0xff);
    s.baseText = QColor(0x00, 0x00, 0x00);
    s.button = QColor(0xd6, 0xd3, 0xc2);
    s.buttonText = QColor(0x10, 0x10, 0x10);
    s.highlight = QColor(0x31, 0x6a, 0xc5);
    s.highlightText = QColor(0xff, 0xff, 0xff);
    s.label = QColor(0x00, 0x33, 0x80);
    s.accent = QColor(0x7a, 0x96, 0xdf);
    return s;
}

std::optional<Skin> parseSkin(const QString& text) {
    Skin skin = defaultSkin();
    skin.name.clear();
    int colours = 0;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        // A '#' at the start of a line is a comment; elsewhere it starts a colour.
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (line.trimmed().startsWith(QLatin1Char('#')) || eq < 0)
            continue;
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        if (key == QLatin1String("name")) {
            skin.name = value;
            continue;
        }
        if (key == QLatin1String("dark")) {
            skin.dark = value == QLatin1String("1");
            continue;
        }
        QColor* target = nullptr;
        static const struct {
            const char* key;
            QColor Skin::*member;
        } keys[] = {{"window", &Skin::window},       {"text", &Skin::text},
                    {"base", &Skin::base},           {"baseText", &Skin::baseText},
                    {"button", &Skin::button},       {"buttonText", &Skin::buttonText},
                    {"highlight", &Skin::highlight}, {"highlightText", &Skin::highlightText},
                    {"label", &Skin::label},         {"accent", &Skin::accent}};
        for (const auto& k : keys)
            if (key == QLatin1String(k.key))
                target = &(skin.*(k.member));
        const QColor colour = QColor::fromString(value);
        if (target && colour.isValid()) {
            *target = colour;
            ++colours;
        }
    }
    if (colours == 0)
        return std::nullopt;
    return skin;
}

int readThemeNumber(const AppFolder& folder) {
    QFile file(folder.skinNumberFile());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return 0;
    const QString first = QString::fromUtf8(file.readLine(64)).trimmed();
    bool ok = false;
    const int number = first.toInt(&ok);
    return ok && number > 0 ? number : 0;
}

bool writeThemeNumber(const AppFolder& folder, int number) {
    // Written aside and renamed over the old file: a failed write leaves the old number.
    QSaveFile file(folder.skinNumberFile());
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray line = QByteArray::number(number) + "\r\n";
    return file.write(line) == line.size() && file.commit();
}

Skin loadSkin(const AppFolder& folder, int number) {
    if (number < 1 || number > kThemeCount)
        return defaultSkin();
    QFile file(folder.skinFile(number));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return defaultSkin();
    return parseSkin(QString::fromUtf8(file.read(64 * 1024))).value_or(defaultSkin());
}

void applySkin(QWidget* window, const Skin& skin) {
    // Palettes only: a style sheet would make every later widget of the window slower
    // to polish and paint.
    QPalette p = window->palette();
    p.setColor(QPalette::Window, skin.window);
    p.setColor(QPalette::WindowText, skin.text);
    p.setColor(QPalette::Base, skin.base);
    p.setColor(QPalette::AlternateBase, skin.base.darker(106));
    p.setColor(QPalette::Text, skin.baseText);
    p.setColor(QPalette::Button, skin.button);
    p.setColor(QPalette::ButtonText, skin.buttonText);
    p.setColor(QPalette::Highlight, skin.highlight);
    p.setColor(QPalette::HighlightedText, skin.highlightText);
    p.setColor(QPalette::ToolTipBase, skin.base);
    p.setColor(QPalette::ToolTipText, skin.baseText);
    // A hint in an empty box must not pass for typed text: half way to the box colour.
    p.setColor(QPalette::PlaceholderText, blend(skin.baseText, skin.base, 0.5));
    p.setColor(QPalette::Mid, skin.accent);
    p.setColor(QPalette::Dark, skin.accent.darker(130));
    p.setColor(QPalette::Light, skin.accent.lighter(140));
    p.setColor(QPalette::Disabled, QPalette::ButtonText,
               skin.dark ? skin.buttonText.darker(180) : skin.buttonText.lighter(250));
    p.setColor(QPalette::Disabled, QPalette::WindowText,
               skin.dark ? skin.text.darker(180) : skin.text.lighter(250));
    window->setPalette(p);
    window->setAutoFillBackground(true);
    window->setProperty("skinLabelColour", skin.label);
    for (QLabel* label : window->findChildren<QLabel*>())
        if (label->property("skinLabel").toBool())
            colourSkinLabel(label, skin.label);
}

int applyTheme(QWidget* window, const AppFolder& folder) {
    const int number = readThemeNumber(folder);
    applySkin(window, loadSkin(folder, number));
    return number;
}

void markSkinLabel(QLabel* label) {
    label->setProperty("skinLabel", true);
    // A label made after the theme was applied takes the window's label colour.
    const QVariant colour = label->window()->property("skinLabelColour");
    if (colour.isValid())
        colourSkinLabel(label, colour.value<QColor>());
}

} // namespace hov
