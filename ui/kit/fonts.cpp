#include "ui/kit/fonts.h"

#include <QFontDatabase>
#include <QStringList>

static void initHovResources() {
    Q_INIT_RESOURCE(fonts);
    Q_INIT_RESOURCE(texts);
}

namespace hov {

namespace {

// Each design family with the bundled families that stand in for it, best first; the
// later ones fill in letters the first lacks (Latin in a Persian face, and back).
struct Mapping {
    const char* design;
    QStringList families;
};

const QList<Mapping>& mappings() {
    static const QList<Mapping> list{
        {"B Nazanin", {QStringLiteral("Noto Naskh Arabic"), QStringLiteral("Liberation Sans")}},
        {"B Titr", {QStringLiteral("Noto Kufi Arabic"), QStringLiteral("DejaVu Sans")}},
        {"Tahoma", {QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Naskh Arabic")}},
        {"MS Sans Serif", {QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Naskh Arabic")}},
        {"Arial", {QStringLiteral("Liberation Sans"), QStringLiteral("Noto Naskh Arabic")}},
    };
    return list;
}

} // namespace

void installFonts() {
    static bool done = false;
    if (done)
        return;
    done = true;
    initHovResources();
    for (const char* file :
         {"NotoNaskhArabic-Regular.ttf", "NotoNaskhArabic-Bold.ttf", "NotoKufiArabic-Bold.ttf",
          "DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "LiberationSans-Regular.ttf",
          "LiberationSans-Bold.ttf"})
        QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/") + QLatin1String(file));
    for (const Mapping& m : mappings())
        QFont::insertSubstitutions(QLatin1String(m.design), m.families);
}

QFont designFont(const QString& family, int pointSize, bool bold) {
    QFont font;
    QStringList families{family};
    for (const Mapping& m : mappings())
        if (family == QLatin1String(m.design))
            families = m.families;
    font.setFamilies(families);
    font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace hov
