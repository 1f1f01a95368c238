#pragma once
// The names a fetched video, a stream description and an installer are stored
// under, and the title the video page shows.
//
// Every name stays inside its folder: a name that is empty, "." or "..", or
// holds a NUL or a "/" after decoding, is no name at all, and the fetch fails
// as it would for an address ending in "/".

#include <QString>

namespace tovalin::videonames {

/// Each "%" followed by two characters becomes the byte they give as hexadecimal digits
/// (a character that is not a hexadecimal digit counts as 0); the text ends at its first
/// blank, and the rest is dropped. The bytes are read as UTF-8, or as Windows-1252 when
/// they are not valid UTF-8.
QString decodePercentUntilBlank(const QString &text);

/// True when the first occurrence of the extension in the lower-cased address ends at its last character.
bool endsWithExtension(const QString &lowerAddress, const QString &extension);

/// The name a video is stored under: the lower-cased, decoded address after its last "/"
/// standing at the ninth character or later (the slashes of "http://" never count), trimmed;
/// empty when that cannot be a file name in the video folder.
QString videoFileName(const QString &address);

/// The video page's title: the name unchanged below 28 characters, else its first 26 and "...".
QString videoTitle(const QString &name);

/// The name an installer is stored under: the decoded address (letter case kept) after its
/// last "/"; empty when that cannot be a file name in the downloads folder.
QString installerFileName(const QString &address);

/// Whether a name can be a file of its own folder: not empty, not "." or "..", no "/" and no NUL.
bool isSafeFileName(const QString &name);

} // namespace tovalin::videonames
