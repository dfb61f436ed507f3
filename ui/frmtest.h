#pragma once

#include "appfolder.h"

#include <QWidget>

namespace hov {

// The on-screen test window "صفحه اجراي تست".
class FrmTest : public QWidget {
    Q_OBJECT
public:
    explicit FrmTest(const AppFolder& folder, QWidget* parent = nullptr);

    // While the main window prepares it: title label shown, identity panel hidden.
    void showPreparing();
    // Attaches the window to the subject's IDE row and answer rows, which exist.
    bool attachSubject(const QString& code);
    // Shows the window in its waiting state, item number 0.
    void showWaiting();

private:
    AppFolder folder_;
};

} // namespace hov
