#include <QWidget>
void hovUiPlaceholder() {}
