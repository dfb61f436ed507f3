#include "ui/kit/subjectcode.h"

#include "ui/kit/services.h"

namespace hov {

QString askSubjectCode(QWidget* owner, const QString& subjectTerm) {
    const QString code = dialogs().input(owner, subjectTerm + QStringLiteral("  را وارد کنيد"),
                                         QStringLiteral(" Enter Code "));
    if (code.isEmpty())
        noticeCodeMissing(owner, subjectTerm);
    return code;
}

void noticeCodeMissing(QWidget* owner, const QString& subjectTerm) {
    dialogs().notice(owner, QStringLiteral("شما بايد ") + subjectTerm +
                                QStringLiteral("  مورد نظر را وارد كنيد "));
}

void noticeNoSuchSubject(QWidget* owner) {
    dialogs().notice(owner, kNoSuchSubject);
}

} // namespace hov
