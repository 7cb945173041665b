#include "ReqUnit.h"

#include "ReportData.h"
#include "VxAbort.h"
#include "VxDBGrid.h"
#include "VxDataSet.h"

#include <QComboBox>

TReqmtsForm::TReqmtsForm(QWidget* parent) : TReportForm(parent) {
    setWindowTitle(QStringLiteral("ReqmtsForm"));
    TypeCombo = addCombo(TReqmtsData::Types);
    GroupCombo = addCombo(TReqmtsData::Groupings);
    ReqSource = m_source;
    for (QComboBox* combo : {TypeCombo, GroupCombo})
        connect(combo, &QComboBox::currentIndexChanged, this,
                [this] { VxGuard(this, [this] { ComboChange(); }); });
}

TReqmtsForm::~TReqmtsForm() {
    m_source->SetDataSet(nullptr);
}

void TReqmtsForm::SetDatabase(TSchedDB* db) {
    if (db == m_db && (m_data || !db)) return;
    m_source->SetDataSet(nullptr);
    m_db = db;
    m_data = db ? std::make_unique<TReqmtsData>(*db) : nullptr;
}

int TReqmtsForm::Execute(int scenarioNo, const QString& description) {
    if (m_data) m_data->SetScenarioNo(scenarioNo);
    return execute(QStringLiteral("Yarn Requirements - "), description);
}

void TReqmtsForm::FormShow() {
    ComboChange();
}

void TReqmtsForm::FormClose() {
    if (TVxQuery* shown = ShownQuery()) shown->Close();
}

void TReqmtsForm::ComboChange() {
    if (GroupCombo->currentIndex() < 0 || !m_data) return;
    TVxQuery* query = m_data->QueryFor(TypeCombo->currentIndex(), GroupCombo->currentIndex());
    if (query) showQuery(query);
}

QString TReqmtsForm::SubTitle() const {
    return TypeCombo->currentText() + QLatin1Char(' ') + GroupCombo->currentText();
}

QString TReqmtsForm::totalsText(const TVxQuery& query) const {
    return m_data ? m_data->TotalsText(query) : QString();
}

void TReqmtsForm::showEvent(QShowEvent* event) {
    TReportForm::showEvent(event);
    VxGuard(this, [this] { FormShow(); });
}

void TReqmtsForm::hideEvent(QHideEvent* event) {
    FormClose();
    TReportForm::hideEvent(event);
}
