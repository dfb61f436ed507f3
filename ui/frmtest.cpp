#include "frmtest.h"

namespace hov {

FrmTest::FrmTest(const AppFolder& folder, QWidget* parent) : QWidget(parent), folder_(folder) {
    setObjectName(QStringLiteral("FrmTest"));
    setAttribute(Qt::WA_DeleteOnClose);
}

void FrmTest::showPreparing() {}
bool FrmTest::attachSubject(const QString&) { return true; }
void FrmTest::showWaiting() { show(); }

} // namespace hov
