// The answer-sheet window under a whole sheet typed from the keyboard: 480 keystrokes,
// with the silent write every 20 entries, reported per keystroke against one plain
// 160-column answer-row update. Disk flushes vary a lot on a shared machine, so the
// two are measured in alternating rounds. Opening the window (with a subject chosen)
// is reported against the straightforward build of the same screen: a themed dialog
// with 480 line edits and 480 labels.
#include "ui/answersheet/answersheetbox.h"
#include "benchsupport.h"
#include "ui/kit/fonts.h"
#include "ui/answersheet/frmpas2.h"
#include "data/subjectdb.h"
#include "ui/kit/theme.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <vector>

using namespace hov;

namespace {

void pressKey(char c) {
    QWidget* target = QApplication::focusWidget();
    const QString text{QLatin1Char(c)};
    const int key = Qt::Key_0 + (c - '0');
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
    // Repaints and the rest of the event loop's work, as between real keystrokes.
    QCoreApplication::processEvents();
}

void chooseSubject(Frmpas2& sheet, const QString& code) {
    sheet.Text4->setText(code);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(sheet.Text4, &enter);
    QCoreApplication::processEvents();
}

double elapsedMs(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    hovbench::prepareHeadless();
    QApplication app(argc, argv);
    installFonts();
    const QString path = hovbench::copyAppFolder();
    if (path.isEmpty())
        return 1;
    const AppFolder folder(path);
    const QString code = QStringLiteral("bench-sheet");
    {
        Subject s;
        s.code = code;
        s.firstName = QStringLiteral("bench");
        if (!SubjectDb(folder).registerSubject(s)) {
            QTextStream(stderr) << "cannot register the benchmark subject" << Qt::endl;
            return 1;
        }
    }

    SubjectDb db(folder);
    AnswerSheet answers;
    int flip = 0;
    auto rowUpdate = [&] {
        for (int item = 1; item <= kItemsPerTable; ++item)
            answers.set(item, (item + flip) % 2 ? QStringLiteral("1") : QStringLiteral("2"));
        ++flip;
        db.writeAnswerTable(code, 0, answers);
    };

    Frmpas2 sheet(folder);
    sheet.show();
    sheet.activateWindow();
    QCoreApplication::processEvents();
    const char pattern[] = "1202112201";
    std::vector<double> baselines, sheets;
    rowUpdate();
    for (int round = 0; round < 9; ++round) {
        for (int i = 0; i < 7; ++i)
            baselines.push_back(elapsedMs(rowUpdate));
        sheets.push_back(elapsedMs([&] {
            chooseSubject(sheet, code);
            for (int item = 1; item <= kItemCount; ++item)
                pressKey(pattern[(item + round) % 10]);
        }));
    }
    const auto* last = qobject_cast<AnswerSheetBox*>(QApplication::focusWidget());
    bool ok = last && last->item() == kItemCount && sheet.LblStatus->text().isEmpty();
    if (!ok)
        QTextStream(stderr) << "the keystrokes did not all reach their boxes and the file"
                            << Qt::endl;
    sheet.hide();

    const double opening = hovbench::medianMs(
        [&] {
            Frmpas2 window(folder);
            window.show();
            QCoreApplication::processEvents();
            chooseSubject(window, code);
        },
        9);
    const double plain = hovbench::medianMs(
        [&] {
            QDialog dialog;
            dialog.resize(813, 700);
            dialog.setLayoutDirection(Qt::RightToLeft);
            for (int p = 0; p < 3; ++p) {
                auto* page = new QWidget(&dialog);
                page->setGeometry(18, 75, 777, 547);
                for (int i = 0; i < 160; ++i) {
                    auto* label = new QLabel(QString::number(p * 160 + i + 1), page);
                    label->setGeometry(i / 20 * 96 + 8, i % 20 * 25 + 33, 37, 25);
                    markSkinLabel(label);
                    auto* box = new QLineEdit(page);
                    box->setGeometry(i / 20 * 96 + 48, i % 20 * 25 + 33, 31, 25);
                }
                page->setVisible(p == 0);
            }
            applyTheme(&dialog, folder);
            dialog.show();
            QCoreApplication::processEvents();
        },
        9);

    ok = hovbench::report(
             QStringLiteral("answer-sheet keystroke (480 a sheet, 20-entry writes included)"),
             median(sheets) / kItemCount, QStringLiteral("one 160-column row update"),
             median(baselines), 1.0) &&
         ok;
    // The window also reads the settings, the subject and three answer rows and fills the
    // boxes, which the plain dialog does not: half as long again is the allowance.
    ok = hovbench::report(QStringLiteral("answer-sheet window opened, subject chosen"), opening,
                          QStringLiteral("a themed dialog of 480 plain line edits and labels"),
                          plain, 1.5) &&
         ok;
    return ok ? 0 : 1;
}
