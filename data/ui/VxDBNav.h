// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A record navigator: tool buttons that move in, or edit, the dataset of a
// data source. Each button is enabled exactly when its move or edit can act
// on the dataset's present state.

#include <QList>
#include <QWidget>

class QToolButton;
class TVxDataSet;
class TVxDataSource;

enum class TVxNavButton { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel };

class TVxDBNavigator : public QWidget {
    Q_OBJECT
public:
    TVxDBNavigator(const QList<TVxNavButton>& buttons, QWidget* parent = nullptr);
    ~TVxDBNavigator() override;

    void SetDataSource(TVxDataSource* source);
    TVxDataSource* DataSource() const { return m_source; }
    TVxDataSet* DataSet() const;

    // The button, or nullptr when this navigator does not show it.
    QToolButton* Button(TVxNavButton which) const;
    // Runs the button's move or edit; a deletion asks "Delete record?" first.
    void Click(TVxNavButton which);

    // Whether the button can act on the dataset as it is now.
    static bool CanAct(TVxNavButton which, const TVxDataSet* dataSet);
    static QString Hint(TVxNavButton which);
    static QIcon Icon(TVxNavButton which);

private:
    void updateButtons();
    void unlink();

    QList<std::pair<TVxNavButton, QToolButton*>> m_buttons;
    TVxDataSource* m_source = nullptr;
    TVxDataSet* m_linked = nullptr;
};
