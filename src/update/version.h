#pragma once
// Program versions ("3.0.0.4"): compared part by part as whole numbers, so
// 3.0.1 is newer than 3.0.0.4 and 3.0.0.10 newer than 3.0.0.9.

#include <QString>

namespace tovalin::version {

/// The running program's own version.
QString runningVersion();

/// True for one or more runs of digits joined by single points ("3.0.0.4"); nothing else.
bool isVersionText(const QString &text);

/// Negative, zero or positive as a is older than, equal to or newer than b. Missing parts
/// count as 0 (3.0 equals 3.0.0.0); parts of any length compare as numbers. Both must be version texts.
int compare(const QString &a, const QString &b);

/// True when `offered` is a version text newer than `running`; false for anything else.
bool isNewer(const QString &running, const QString &offered);

} // namespace tovalin::version
