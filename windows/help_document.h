#pragma once

#include <QString>
#include <QStringList>

namespace orvanel {

// The command that opens a help file at its contents.
inline constexpr int kHelpContents = 3;

// Where a bare help file name is looked for, in order: beside the executable,
// then in the installed data folder (<prefix>/share/orvanel beside <prefix>/bin).
[[nodiscard]] QStringList HelpSearchFolders(const QString& executable_folder);

// The help document for a help file name: the same base name in HTML
// ("Orvanel.hlp" -> "Orvanel.html"), from the first folder that has it; empty
// when none has.
[[nodiscard]] QString FindHelpDocument(const QString& help_file, const QStringList& folders);

}  // namespace orvanel
