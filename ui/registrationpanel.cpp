#include "registrationpanel.h"

namespace hov {

RegistrationPanel::RegistrationPanel(const AppFolder& folder, const QString& subjectTerm,
                                     QWidget* parent)
    : QFrame(parent), folder_(folder), subjectTerm_(subjectTerm) {
    setObjectName(QStringLiteral("Frame10"));
    hide();
}

void RegistrationPanel::open() { show(); }

} // namespace hov
