#pragma once
// The greige fabric output report window: the fabric a stored scenario
// produces, by date or by job.

#include "ReportForm.h"

#include <memory>

class TOutputData;
class TSchedDB;

class TOutputForm : public TReportForm {
    Q_OBJECT
public:
    explicit TOutputForm(QWidget* parent = nullptr);
    ~TOutputForm() override;

    QComboBox* GroupCombo;
    TVxDataSource* OutSource;

    void SetDatabase(TSchedDB* db);
    TOutputData* Data() const { return m_data.get(); }

    int Execute(int scenarioNo, const QString& description);

    void FormShow();
    void FormClose();
    void GroupComboChange();
    // The grouping: "By Date" or "By Job".
    QString SubTitle() const override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    QString totalsText(const TVxQuery& query) const override;

private:
    std::unique_ptr<TOutputData> m_data;
    TSchedDB* m_db = nullptr;
};
