#pragma once

#include <QString>

class QWidget;

namespace hov {

// Asking for a subject's code, as the test and scoring windows do: the input box
// "<term>  را وارد کنيد" with the prompt " Enter Code ". An empty or cancelled box shows the
// notice "شما بايد <term>  مورد نظر را وارد كنيد " and returns an empty text.
QString askSubjectCode(QWidget* owner, const QString& subjectTerm);
// The notice "شما بايد <term>  مورد نظر را وارد كنيد ", for a window with its own code box.
void noticeCodeMissing(QWidget* owner, const QString& subjectTerm);
// The notice for a code no subject has: "فردي با اين مشخصات وجود ندارد".
void noticeNoSuchSubject(QWidget* owner);
inline const QString kNoSuchSubject = QStringLiteral("فردي با اين مشخصات وجود ندارد");

} // namespace hov
