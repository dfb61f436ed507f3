#pragma once

#include "tests/support/testfolder.h"
#include "ui/kit/services.h"

#include <QList>
#include <QPoint>
#include <QQueue>
#include <QString>
#include <functional>
#include <memory>

namespace hovtest {

// Types text into a widget one key press at a time, any script (QTest::keyClicks takes
// Latin-1 only).
void typeText(QWidget* widget, const QString& text);

// The mouse resting on a widget: the move event the widget (and its filters) receives.
// QTest::mouseMove moves no widget's mouse on the offscreen platform.
void hoverOver(QWidget* widget, QPoint pos = QPoint(3, 3));

// One dialog as the program showed it.
struct Shown {
    QString kind; // "notice", "message", "yesno", "input", "open", "save"
    QString caption;
    QString text;
    QString details; // the details section of an error box (Dialogs::error)
};

// Dialogs for tests: answers come from queues, every dialog shown is recorded, and a
// dialog that needs an answer nobody queued fails the running test at once.
class ScriptedDialogs : public hov::Dialogs {
public:
    void queueInput(const QString& answer) { inputs_.enqueue(answer); }
    void queueYesNo(bool yes) { answers_.enqueue(yes); }
    void queueFile(const QString& path) { files_.enqueue(path); }
    // Runs while a notice or message is "open", e.g. to look at the window behind it.
    std::function<void(const Shown&)> onShow;

    QList<Shown> shown;
    QStringList notices() const;
    QStringList texts() const;
    void clear() { shown.clear(); }
    bool allAnswersUsed() const { return inputs_.isEmpty() && answers_.isEmpty() && files_.isEmpty(); }

    void notice(QWidget* owner, const QString& text) override;
    void message(QWidget* owner, const QString& caption, const QString& text, Icon icon) override;
    // Recorded as a "message" with its details.
    void error(QWidget* owner, const QString& caption, const QString& text, const QString& details,
               Icon icon) override;
    bool askYesNo(QWidget* owner, const QString& caption, const QString& text, Icon icon) override;
    QString input(QWidget* owner, const QString& title, const QString& prompt,
                  const QString& defaultText) override;
    QString openFileName(QWidget* owner, const QString& folder, const QString& filter) override;
    QString saveFileName(QWidget* owner, const QString& proposedPath, const QString& filter) override;

    Icon lastIcon = Icon::None;

private:
    void record(const Shown& s);
    QQueue<QString> inputs_;
    QQueue<bool> answers_;
    QQueue<QString> files_;
};

// Shell and clock for tests: nothing leaves the test, every request is recorded.
class RecordingShell : public hov::Shell {
public:
    QStringList urls;
    QStringList programs;
    int beeps = 0;
    bool opens = true; // what openUrl answers
    bool openUrl(const QUrl& url) override {
        urls << url.toString();
        return opens;
    }
    bool startProgram(const QString& program, const QStringList&) override {
        programs << program;
        return true;
    }
    void beep() override { ++beeps; }
};

class FixedClock : public hov::Clock {
public:
    QDateTime time = QDateTime(QDate(2024, 3, 24), QTime(9, 5, 7));
    QDateTime now() const override { return time; }
};

// Everything a window test needs: its own folder, scripted dialogs, a recording shell
// and a fixed clock, installed for the lifetime of the fixture.
struct WindowFixture {
    TestAppFolder app;
    ScriptedDialogs dialogs;
    RecordingShell shell;
    FixedClock clock;
    hov::ScopedServices services{&dialogs, &shell, &clock};
};

} // namespace hovtest
