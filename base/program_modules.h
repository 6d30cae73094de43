#pragma once

#include <QString>
#include <QtGlobal>

namespace brisomar {

// Network inputs, chart printing and chart import need large libraries of their own (with
// Kerberos, the print system and GDAL behind them), so they are built as modules beside the
// program and loaded the first time they are needed: the navigator starts without loading those
// libraries.
inline constexpr const char* networkModuleName = "brisomar_network";
inline constexpr const char* printModuleName = "brisomar_print";
inline constexpr const char* chartImportModuleName = "brisomar_chartimport"; // GDAL

// The folder of the modules for programs in `programFolder`: where an installed tree keeps them
// (a folder the build names relative to the programs' folder), else beside the programs, as in
// the build folder.
QString moduleFolderFor(const QString& programFolder);

// The function `function` of the module `module` in `folder`; null, with the reason in `reason`,
// when the module cannot be loaded or lacks it. A module once loaded stays loaded.
QFunctionPointer moduleFunction(const QString& folder, const char* module, const char* function,
                                QString& reason);

} // namespace brisomar
