#pragma once
// Small text helpers shared by every subsystem.

#include <QString>

namespace tovalin {

/// True when the upper-cased fragment occurs in the upper-cased text. An empty fragment never occurs.
bool ContainsText(const QString &text, const QString &fragment);

/// True when the address is a web address: it begins with "http://" or "https://" (exact case).
bool isWebAddress(const QString &address);

/// The site part of an address: the text after "://" up to the next "/" (all of the rest when there is none).
/// Without "://" the text after its first seven characters up to the next "/", as old start pages expect.
QString siteOf(const QString &address);

} // namespace tovalin
