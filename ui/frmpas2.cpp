#include "frmpas2.h"

namespace hov {

Frmpas2::Frmpas2(const AppFolder& folder, QWidget* parent) : QDialog(parent), folder_(folder) {
    setObjectName(QStringLiteral("Frmpas2"));
}

} // namespace hov
