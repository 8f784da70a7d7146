#pragma once
// Saved expected output under $ZELK_TESTDATA. ZELK_UPDATE_GOLDEN=1 rewrites the saved
// files after a deliberate change.
#include <QByteArray>
#include <QString>

namespace zelk::test {

// The whole file; empty when it cannot be read.
QByteArray readAll(const QString &path);
// The saved contents of `name` (a path below $ZELK_TESTDATA), or `actual` after saving it
// when updating.
QByteArray golden(const QString &name, const QByteArray &actual);

} // namespace zelk::test
