#pragma once

#include <QFile>
#include <QString>
#include <string>

namespace qolmex {

// config/ takes the bytes of a name as the system names files; on Windows that is UTF-8,
// which its file access turns into wide names (the local 8-bit code page has no room for
// every letter).
inline std::string localName(const QString& fileName) {
#if defined(Q_OS_WIN)
    return fileName.toStdString();
#else
    return QFile::encodeName(fileName).toStdString();
#endif
}

inline QString displayName(const std::string& fileName) {
#if defined(Q_OS_WIN)
    return QString::fromStdString(fileName);
#else
    return QFile::decodeName(fileName.c_str());
#endif
}

} // namespace qolmex
