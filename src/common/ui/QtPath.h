#pragma once
// The one place where a file name of the Qt layers becomes a path of the core
// and back. The core keeps paths as UTF-8 text on every platform and turns
// them into file-system paths itself (common/FileAccess.h), so a name with
// letters outside the Windows code page ("Łódź") still opens there.

#include <QString>

#include <string>

namespace kurvex {

inline std::string ToCorePath(const QString& path) { return path.toStdString(); }
inline QString FromCorePath(const std::string& path) { return QString::fromStdString(path); }

}  // namespace kurvex
