#pragma once

#include <QString>

// The language choice lives in "language.ini" in the working directory:
// 0 Simplified Chinese (also when missing), 1 Traditional Chinese, 2 English.
int savedLanguageIndex();

// The translation catalogue for a language index; empty for an unknown index.
QString languageCatalogue(int index);
