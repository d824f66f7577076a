#pragma once

#include <QString>
#include <QStringList>

class QTranslator;

// The language choice lives in "language.ini" among the settings (see
// ApplicationFiles): 0 Simplified Chinese (also when missing), 1 Traditional
// Chinese, 2 English.
int savedLanguageIndex();
QString languageSettingsFile();

// Stores 0, 1 or 2 (other indices store nothing) and writes the file at once.
// False when the file could not be written.
bool saveLanguageIndex(int index);

// The translation catalogue for a language index; empty for an unknown index.
QString languageCatalogue(int index);

// Qt's own catalogue for a language index (dialog buttons, file dialog, print
// preview): "qtbase_zh_CN.qm", "qtbase_zh_TW.qm"; empty for English and
// unknown indices.
QString qtCatalogue(int index);

// Where Qt's catalogues are looked for, in this order: beside the application
// (a Windows build ships them there), then Qt's translations path.
QStringList qtCatalogueDirectories();

// The path of `file` in the first of `directories` that holds it; empty when none does.
QString findCatalogue(const QString& file, const QStringList& directories);

// Loads the application's catalogue (working directory or data folder) and Qt's own for the
// language into the two translators and installs those that loaded; they
// must outlive their use. Returns the files loaded.
QStringList installTranslators(int index, QTranslator& application, QTranslator& qt,
                               const QStringList& qtDirectories = qtCatalogueDirectories());
