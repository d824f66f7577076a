#pragma once

#include <QString>

// The language choice lives in "language.ini" in the working directory:
// 0 Simplified Chinese (also when missing), 1 Traditional Chinese, 2 English.
int savedLanguageIndex();

// Stores 0, 1 or 2 (other indices store nothing) and writes the file at once.
// False when the file could not be written.
bool saveLanguageIndex(int index);

// The translation catalogue for a language index; empty for an unknown index.
QString languageCatalogue(int index);
