#pragma once

#include <QStringList>

// The company and sample texts of the test report, kept in the file
// "PrintInfo" among the settings (see ApplicationFiles): company name, address, telephone,
// fax, e-mail, sample name, sample model, remark, one a line.
namespace PrintInfo {

constexpr int lineCount = 8;
// Eight lines of text; a larger file is not print information.
constexpr qint64 maxFileSize = 64 * 1024;

QString fileName();
// Exactly eight texts, missing lines empty; false when the file cannot be
// read, is not a regular file or is larger than maxFileSize, with the reason
// in *error when given.
bool read(QStringList* lines, const QString& path = fileName(), QString* error = nullptr);
// False when the file could not be written in full; it then stays as it was,
// except where the folder allows no new file beside it: then the file itself
// is rewritten. A line break inside a text becomes a space, so that every text
// keeps its line. Texts that would make the file larger than maxFileSize, or a
// "PrintInfo" that is not a regular file, are refused.
bool write(const QStringList& lines);

} // namespace PrintInfo
