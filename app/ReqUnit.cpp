#include "ReqUnit.h"

TReqmtsForm::TReqmtsForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("ReqmtsForm"));
}
