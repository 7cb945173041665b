// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The data-mode dialog asked once per run: text files, a local database file
// or a database server. The main window reads the checked radio button after
// the dialog closes; the dialog proposes the mode chosen last time.

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

enum class TDataMode { Text, Local, Server };

class TModeForm : public QDialog {
    Q_OBJECT
public:
    explicit TModeForm(QWidget* parent = nullptr);

    // The mode of the checked radio button.
    TDataMode DataMode() const;
    void SetDataMode(TDataMode mode);

    // Says under the local choice what it really opens (LocalModeNote).
    void ShowLocalNote(const QString& note);

    // Where the last chosen mode is kept (an ini file); empty: nowhere.
    QString SettingsFile;

public slots:
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

public:
    QGroupBox* ModeGroup;
    QLabel* QuestionLabel;
    QRadioButton* TextRadio;
    QLabel* TextLabel;
    QRadioButton* LocalRadio;
    QLabel* LocalLabel;
    QRadioButton* ServerRadio;
    QLabel* ServerLabel;
    QPushButton* OKButton;
    QPushButton* CancelButton;
};
