// One activation of the profile window (the 18 T look-ups, the header line and a full repaint
// of chart, labels and buttons) against one frame at 60 Hz.
#include "benchsupport.h"
#include "ui/kit/fonts.h"
#include "ui/profile/frmnemudar.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QTextStream>

namespace {
constexpr double kFrameMs = 1000.0 / 60.0;
constexpr double kTargetRatio = 0.5;
} // namespace

int main(int argc, char** argv) {
    hovbench::prepareHeadless();
    QApplication app(argc, argv);
    hov::installFonts();
    const QString path = hovbench::copyAppFolder();
    if (path.isEmpty()) {
        QTextStream(stderr) << "bench_profile: no application folder" << Qt::endl;
        return 1;
    }
    const hov::AppFolder folder(path);

    hov::FrmNemudar window(folder);
    hov::ProfileHandOver h;
    h.subject.code = QStringLiteral("B1");
    h.subject.sex = QStringLiteral("زن");
    h.unanswered = 12;
    for (int i = 0; i < hov::kScaleCount; ++i)
        h.rawScores[static_cast<size_t>(i)] = QString::number(5 + 2 * i);
    window.handOver(h);
    window.show();
    if (window.Lblt[0]->text().isEmpty()) {
        QTextStream(stderr) << "bench_profile: no T scores" << Qt::endl;
        return 1;
    }

    // The full repaint is rendered into an image of the window's size: the offscreen platform
    // would skip painting a window nobody sees.
    QImage frame(window.size(), QImage::Format_ARGB32_Premultiplied);
    const double activationMs = hovbench::medianMs(
        [&] {
            QEvent activate(QEvent::WindowActivate);
            QApplication::sendEvent(&window, &activate);
            window.render(&frame);
        },
        200);
    const bool ok = hovbench::report(QStringLiteral("profile window activation"), activationMs,
                                     QStringLiteral("one 60 Hz frame"), kFrameMs, kTargetRatio);
    return ok ? 0 : 1;
}
