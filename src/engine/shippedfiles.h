#pragma once
// Files the program ships with: the manual and the default logo. An installed program finds
// them in its data folder (`share/zelk` beside its `bin`), where a packager may put a newer
// manual; a program run from its build folder uses the copies built into it.
#include <QString>

namespace zelk::shippedfiles {

// The installed copy of `name` when there is one, else the built-in resource `resource`.
QString find(const QString &name, const QString &resource);

// Whether this program runs from an installation: its data folder holds the manual. Such a
// program never writes beside itself, even when it could (run as root).
bool installed();

// The manual, as HTML.
QString manual();

// The logo a new administration starts with.
QString defaultLogo();

} // namespace zelk::shippedfiles
