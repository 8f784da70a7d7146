// Prints how fast the RTF reader and writer are, on a large formatted letter and on
// hostile input, and how fast one member is merged into that letter. Not a test: it only
// reports figures.
#include "rtf/rtf.h"
#include "vindtekst.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>
#include <cstdio>

namespace {

QTextDocument *formattedDocument(int paragraphs)
{
    auto *doc = new QTextDocument;
    QTextCursor cursor(doc);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    QTextCharFormat red;
    red.setForeground(Qt::red);
    for (int i = 0; i < paragraphs; ++i) {
        cursor.insertText(QStringLiteral("Beste <naam>, de contributie van € 25,00 voor het café is "));
        cursor.insertText(QStringLiteral("nog niet betaald"), bold);
        cursor.insertText(QStringLiteral(". Ideeën zijn welkom; "));
        cursor.insertText(QStringLiteral("graag vóór 1 maart."), red);
        cursor.insertBlock();
    }
    return doc;
}

void measure(const char *what, const QByteArray &input)
{
    QElapsedTimer timer;
    timer.start();
    QTextDocument doc;
    zelk::rtf::read(input, &doc);
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    std::printf("%-34s %8.1f KiB  %8.1f ms  %7.1f MiB/s  %d paragraphs\n", what, input.size() / 1024.0, ms,
                input.size() / 1048576.0 / (ms / 1000.0), doc.blockCount());
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    std::unique_ptr<QTextDocument> letter(formattedDocument(20000));
    QElapsedTimer timer;
    timer.start();
    const QByteArray rtf = zelk::rtf::write(*letter);
    const double writeMs = double(timer.nsecsElapsed()) / 1e6;
    std::printf("%-34s %8.1f KiB  %8.1f ms  %7.1f MiB/s\n", "write 20000 formatted paragraphs", rtf.size() / 1024.0, writeMs,
                rtf.size() / 1048576.0 / (writeMs / 1000.0));
    measure("read them back", rtf);

    timer.restart();
    QStringList values;
    for (std::size_t i = 0; i < zelk::placeholders().size(); ++i)
        values << QStringLiteral("Visser, Anna");
    zelk::mergeMember(*letter, values);
    std::printf("%-34s %8.1f ms  (20000 placeholders)\n", "merge one member into them", double(timer.nsecsElapsed()) / 1e6);

    const int many = 5'000'000;
    measure("read 5e6 nested groups", "{\\rtf1 " + QByteArray(many, '{') + "x" + QByteArray(many, '}') + "}");
    measure("read 5e6 unclosed groups", "{\\rtf1 " + QByteArray(many, '{') + "x");
    measure("read a 5 MB control word", "{\\rtf1 \\" + QByteArray(many, 'a') + " x}");
    measure("read 1e6 \\u escapes", "{\\rtf1 " + QByteArray("\\u8364?").repeated(1'000'000) + "}");
    measure("read a 5 MB skipped picture", "{\\rtf1 {\\pict " + QByteArray(many, 'f') + "}x}");
    return 0;
}
