#pragma once
// Small helpers that lay out theme files for the themes tests.

#include "themes/bmp_codec.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tovalin::testing {

/// Writes raw bytes to a file, creating nothing else; false on failure.
bool writeRaw(const QString &path, const QByteArray &bytes);
/// Reads a whole file (empty when missing).
QByteArray readRaw(const QString &path);

/// Writes folder/ID.kld with URL and Hint (sizes given) and, unless withPicture is false,
/// a 70 × 70 folder/ID.bmp filled with `colour`.
void writeLink(const QString &folder, const QString &id, const QString &url, bool withPicture = true,
               quint32 colour = 0xFF336699, int hoogte = -1, int breedte = -1);

/// Writes folder/name.llt with the lines (CR LF).
void writeLinkList(const QString &folder, const QString &name, const QStringList &lines);

/// The folder holding the starter themes in the source tree.
QString starterThemesDir();

} // namespace tovalin::testing
