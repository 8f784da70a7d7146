#include "helpfile.h"

#include "administraties.h"
#include "filesave.h"
#include "rtf/rtf.h"
#include "shippedfiles.h"
#include "zelkerror.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextDocument>

namespace zelk::helpfile {

QString pathFor(const QString &programFile, const QString &root, bool besideProgram)
{
    const QFileInfo program(programFile);
    const QString name = program.completeBaseName() + QStringLiteral("uitleg.rtf");
    return QDir(besideProgram ? program.absolutePath() : root).filePath(name);
}

QString path()
{
    const QString program = QCoreApplication::applicationFilePath();
    const bool beside = !shippedfiles::installed() && QFileInfo(QFileInfo(program).absolutePath()).isWritable();
    const QString file = pathFor(program, administraties::root(), beside);
    if (!beside)
        QDir().mkpath(administraties::root());
    // A treasurer who starts the program for the first time finds the manual, not an empty
    // page, wherever the help file lives.
    seed(file);
    return file;
}

namespace {

bool convertHtml(const QString &manual, const QString &helpFile)
{
    QFile html(manual);
    if (!html.open(QIODevice::ReadOnly))
        return false;
    QTextDocument doc;
    doc.setHtml(QString::fromUtf8(html.readAll()));
    try {
        rtf::writeFile(doc, helpFile);
    } catch (const Error &) {
        return false; // the viewer then creates an empty help file and reports its own failure
    }
    return true;
}

} // namespace

bool seed(const QString &helpFile, const QString &givenManual)
{
    const QString manual = givenManual.isEmpty() ? shippedfiles::manual() : givenManual;
    if (QFile::exists(helpFile) || !QFile::exists(manual))
        return false;
    if (manual.endsWith(QLatin1String(".html")))
        return convertHtml(manual, helpFile);
    QFile source(manual);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    try {
        saveFile(helpFile, source.readAll());
    } catch (const Error &) {
        return false;
    }
    return true;
}

} // namespace zelk::helpfile
