#include "OutUnit.h"

#include "ReportData.h"
#include "VxAbort.h"
#include "VxDBGrid.h"
#include "VxDataSet.h"

#include <QComboBox>

TOutputForm::TOutputForm(QWidget* parent) : TReportForm(parent) {
    setWindowTitle(QStringLiteral("Fabric Output"));
    GroupCombo = addCombo(TOutputData::Groupings);
    OutSource = m_source;
    connect(GroupCombo, &QComboBox::currentIndexChanged, this,
            [this] { VxGuard(this, [this] { GroupComboChange(); }); });
}

TOutputForm::~TOutputForm() {
    m_source->SetDataSet(nullptr);
}

void TOutputForm::SetDatabase(TSchedDB* db) {
    if (db == m_db && (m_data || !db)) return;
    m_source->SetDataSet(nullptr);
    m_db = db;
    m_data = db ? std::make_unique<TOutputData>(*db) : nullptr;
}

int TOutputForm::Execute(int scenarioNo, const QString& description) {
    if (m_data) m_data->SetScenarioNo(scenarioNo);
    return execute(QStringLiteral("Greige Output - "), description);
}

void TOutputForm::FormShow() {
    if (!m_data) return;
    m_data->FabricLen.Open();
    GroupComboChange();
}

void TOutputForm::FormClose() {
    if (!m_data) return;
    m_data->OutDateQuery.Close();
    m_data->OutJobQuery.Close();
}

void TOutputForm::GroupComboChange() {
    if (GroupCombo->currentIndex() < 0 || !m_data) return;
    showQuery(m_data->QueryFor(GroupCombo->currentIndex()));
}

QString TOutputForm::SubTitle() const {
    return GroupCombo->currentText();
}

QString TOutputForm::totalsText(const TVxQuery& query) const {
    return m_data ? m_data->TotalsText(query) : QString();
}

void TOutputForm::showEvent(QShowEvent* event) {
    TReportForm::showEvent(event);
    VxGuard(this, [this] { FormShow(); });
}

void TOutputForm::hideEvent(QHideEvent* event) {
    FormClose();
    TReportForm::hideEvent(event);
}
