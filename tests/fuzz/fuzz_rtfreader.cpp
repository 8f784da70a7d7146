// libFuzzer entry for the RTF reader: any bytes must read without crash, hang, leak or
// undefined behaviour, and what was read must survive a write and a second read.
#include "rtf/rtf.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen"); // fonts need a GUI application, not a display
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QTextDocument doc;
    zelk::rtf::read(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)), &doc);
    zelk::rtf::plainTextLines(doc);

    QTextDocument again;
    zelk::rtf::read(zelk::rtf::write(doc), &again);
    if (again.toPlainText() != doc.toPlainText()) {
        std::fprintf(stderr, "text changed by write and read\n");
        std::abort();
    }
    return 0;
}
