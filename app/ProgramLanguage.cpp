// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramLanguage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>
#include <memory>

namespace {
const QString kEnglish = QStringLiteral("en");
const QString kSettingKey = QStringLiteral("Start/Language");
// Where the build puts the compiled translations (qt_add_translations).
const QString kResources = QStringLiteral(":/i18n");
const QString kPrefix = QStringLiteral("plexiweave_");

struct TInstalled {
    QString Code = kEnglish;
    std::unique_ptr<QTranslator> Program;
    std::unique_ptr<QTranslator> Qt;
};

TInstalled& installed() {
    static TInstalled languages;
    return languages;
}

bool carries(const QString& code) {
    return code == kEnglish ||
           QFile::exists(kResources + QLatin1Char('/') + kPrefix + code + QStringLiteral(".qm"));
}

// "de-CH" and "de_CH" are German.
QString languageOf(const QString& uiLanguage) {
    return uiLanguage.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0).toLower();
}

void uninstall(std::unique_ptr<QTranslator>& translator) {
    if (translator) QCoreApplication::removeTranslator(translator.get());
    translator.reset();
}

// Qt's own texts (the message boxes' buttons, the file dialog) may be
// missing; the program's then stand beside Qt's English.
std::unique_ptr<QTranslator> install(const QString& name, const QString& folder) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(name, folder)) return nullptr;
    QCoreApplication::installTranslator(translator.get());
    return translator;
}
} // namespace

QList<TLanguageChoice> TProgramLanguage::Available() {
    QList<TLanguageChoice> choices{{kEnglish, QStringLiteral("English")}};
    const QStringList files =
        QDir(kResources).entryList({kPrefix + QStringLiteral("*.qm")}, QDir::Files, QDir::Name);
    for (const QString& file : files) {
        const QString code = file.mid(kPrefix.size()).chopped(3);
        QString name = QLocale(code).nativeLanguageName();
        if (!name.isEmpty()) name[0] = name[0].toUpper();
        choices.append({code, name.isEmpty() ? code : name});
    }
    return choices;
}

QString TProgramLanguage::Setting(const QString& settingsFile) {
    if (settingsFile.isEmpty()) return QString();
    return QSettings(settingsFile, QSettings::IniFormat).value(kSettingKey).toString();
}

void TProgramLanguage::SetSetting(const QString& settingsFile, const QString& code) {
    if (settingsFile.isEmpty()) return;
    QSettings settings(settingsFile, QSettings::IniFormat);
    if (code.isEmpty())
        settings.remove(kSettingKey);
    else
        settings.setValue(kSettingKey, code);
}

QString TProgramLanguage::Resolve(const QString& setting, const QStringList& uiLanguages) {
    if (!setting.isEmpty() && carries(setting)) return setting;
    for (const QString& uiLanguage : uiLanguages)
        if (carries(languageOf(uiLanguage))) return languageOf(uiLanguage);
    return kEnglish;
}

QString TProgramLanguage::Install(const QString& setting) {
    const QLocale system = QLocale::system();
    const QString code = Resolve(setting, system.uiLanguages());
    TInstalled& now = installed();
    uninstall(now.Program);
    uninstall(now.Qt);
    if (code != kEnglish) {
        now.Program = install(kPrefix + code, kResources);
        now.Qt = install(QStringLiteral("qtbase_") + code,
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    }
    now.Code = code;
    // The system's own settings stay unless the planner chose another
    // language than the system's.
    const QLocale::Language language = QLocale(code).language();
    QLocale::setDefault(setting.isEmpty() || language == system.language()
                            ? system
                            : QLocale(language, system.territory()));
    return code;
}

QString TProgramLanguage::Current() {
    return installed().Code;
}
