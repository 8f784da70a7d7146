#pragma once
// Builds a QTextDocument from RTF bytes; see rtf::read for the promises.
#include <QByteArrayView>

class QTextDocument;

namespace zelk::rtf {

// Appends the RTF document in data at the end of doc (which is normally empty).
void readRtf(QByteArrayView data, QTextDocument *doc);

} // namespace zelk::rtf
