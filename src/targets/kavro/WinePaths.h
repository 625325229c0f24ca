#pragma once

#include <QString>

namespace jlex {

// Where the Windows path text of a store file lives on this machine. On
// Windows the text is the path. Elsewhere the IME runs under Wine, so "C:\"
// is the Wine prefix's drive_c ($WINEPREFIX, or ~/.wine when unset).
QString hostPath(const QString& windowsPath);

// The folder that stands for "C:\" outside Windows; empty, with the reason in
// *problem, when WINEPREFIX is relative or there is no home to find ~/.wine in.
QString wineDriveC(QString* problem = nullptr);

} // namespace jlex
