// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The language the program speaks. English is written in the sources; each
// other language is a translation, translations/plexiweave_<code>.ts, built
// into the program's resources. The planner's choice is kept in window.ini
// (Start/Language); without one the system's languages decide.

#include <QList>
#include <QString>
#include <QStringList>

struct TLanguageChoice {
    QString Code; // "en", "de"
    QString Name; // in its own language: "English", "Deutsch"
};

class TProgramLanguage {
public:
    // English first, then every translation the program carries.
    static QList<TLanguageChoice> Available();

    // The kept choice: a language code, or empty for the system's languages.
    static QString Setting(const QString& settingsFile);
    static void SetSetting(const QString& settingsFile, const QString& code);

    // The language a setting comes to: the chosen one when the program has
    // it, else the first of uiLanguages ("de-CH", "de") it has, else English.
    static QString Resolve(const QString& setting, const QStringList& uiLanguages);

    // Speaks the language of setting from now on: the program's and Qt's own
    // translations, and, for a language chosen apart from the system's, that
    // language's dates and numbers (in the system's country where there is
    // such a locale). Returns the code in use. Windows made earlier keep
    // their texts.
    static QString Install(const QString& setting);
    // The code of the language installed last ("en" before any).
    static QString Current();
};
