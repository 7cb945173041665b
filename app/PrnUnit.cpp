#include "PrnUnit.h"

TPrintForm::TPrintForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Print Options"));
}
