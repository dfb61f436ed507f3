#pragma once

#include "appfolder.h"

#include <QFrame>

namespace hov {

// The registration panel of the main window.
class RegistrationPanel : public QFrame {
    Q_OBJECT
public:
    RegistrationPanel(const AppFolder& folder, const QString& subjectTerm, QWidget* parent);

    // Opens the panel for a new subject.
    void open();

signals:
    // Saved or cancelled: the main window closes its panels.
    void finished();

private:
    AppFolder folder_;
    QString subjectTerm_;
};

} // namespace hov
