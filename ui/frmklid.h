#pragma once

#include "appfolder.h"

#include <QWidget>

namespace hov {

// The scoring window "کليد گذاري".
class FrmkLID : public QWidget {
    Q_OBJECT
public:
    explicit FrmkLID(const AppFolder& folder, QWidget* parent = nullptr);

private:
    AppFolder folder_;
};

} // namespace hov
