#include "ItemUnit.h"

TItemForm::TItemForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Fabric"));
}
