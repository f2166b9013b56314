// The shop folder: where dat.db, the settings, templates and backups live. It is the folder
// given with --home on the command line, or the executable's folder.
#pragma once

#include <QString>
#include <QStringList>

namespace shop {

// Sets the shop folder from "--home DIR" / "--home=DIR" in `arguments`, or from the
// executable's folder. Returns the arguments without the option.
QStringList initAppPath(const QStringList& arguments);
void setAppPath(const QString& folder);

// The shop folder, ending in '/'.
const QString& AppPath();

// Names inside the shop folder.
QString datFilePath();

} // namespace shop
