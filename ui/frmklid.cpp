#include "frmklid.h"

namespace hov {

FrmkLID::FrmkLID(const AppFolder& folder, QWidget* parent) : QWidget(parent), folder_(folder) {
    setObjectName(QStringLiteral("FrmkLID"));
    setAttribute(Qt::WA_DeleteOnClose);
}

} // namespace hov
