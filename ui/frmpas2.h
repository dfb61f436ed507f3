#pragma once

#include "appfolder.h"

#include <QDialog>

namespace hov {

// The answer-sheet window: the operator types a paper answer sheet.
class Frmpas2 : public QDialog {
    Q_OBJECT
public:
    explicit Frmpas2(const AppFolder& folder, QWidget* parent = nullptr);

private:
    AppFolder folder_;
};

} // namespace hov
