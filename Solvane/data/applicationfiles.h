#pragma once

#include <QString>

// Where Solvane keeps its files. A run from the build tree or from a folder
// installation keeps them all in the working directory, as it always has; an
// installed Solvane started anywhere else uses the platform's places: the
// user's configuration folder for its settings, the installed data folder for
// its catalogues and manual, the documents folder for the PDF report.
namespace ApplicationFiles {

// The application name the programs that share the settings give themselves,
// which names the configuration folder (QStandardPaths::AppConfigLocation).
inline const char* const applicationName = "solvane";

// The installed data folder: the programs' own folder followed by the
// installation's relative path to it (one folder on Windows). setDataDirectory
// moves it (tests); an empty path returns to the installed one.
QString dataDirectory();
void setDataDirectory(const QString& path);

// True when everything lives in the working directory: it holds one of
// Solvane's files, or the program has no installed data folder (a build tree).
bool usesWorkingDirectory();

// A settings file such as "language.ini" or "PrintInfo": the bare name in the
// working directory, otherwise the file in the user's configuration folder,
// which is made when missing so that the file can be written.
QString settingsFile(const QString& name);

// A read-only file such as "cn.qm": the working directory's when it holds it,
// otherwise the data folder's; the bare name when neither holds it and
// everything lives in the working directory.
QString dataFile(const QString& name);

// The PDF report's proposed path ("Report"): in the working directory, or in
// the user's documents folder (made when missing) for an installed Solvane.
QString reportFile();

} // namespace ApplicationFiles
