// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReqmtsForm.h"

#include "ReportData.h"
#include "VxDataSet.h"

#include <QComboBox>

TReqmtsForm::TReqmtsForm(QWidget* parent)
    : TReportForm(parent, tr("ReqmtsForm"), tr("Yarn Requirements - ")) {
    const auto change = static_cast<void (TReportForm::*)()>(&TReqmtsForm::ComboChange);
    TypeCombo = addCombo(TReqmtsData::Types(), change);
    GroupCombo = addCombo(TReqmtsData::Groupings(), change);
    ReqSource = m_source;
}

TReqmtsData* TReqmtsForm::Data() const {
    return static_cast<TReqmtsData*>(data());
}

std::unique_ptr<TReportData> TReqmtsForm::makeData(TSchedDB& db) const {
    return std::make_unique<TReqmtsData>(db);
}

void TReqmtsForm::FormShow() {
    ComboChange();
}

void TReqmtsForm::FormClose() {
    if (TVxQuery* shown = ShownQuery()) shown->Close();
}

void TReqmtsForm::ComboChange() {
    if (GroupCombo->currentIndex() < 0 || !Data()) return;
    TVxQuery* query = Data()->QueryFor(TypeCombo->currentIndex(), GroupCombo->currentIndex());
    if (query) showQuery(query);
}

QString TReqmtsForm::SubTitle() const {
    return TypeCombo->currentText() + QLatin1Char(' ') + GroupCombo->currentText();
}
