#include "helpfile.h"

#include "administraties.h"
#include "filesave.h"
#include "rtf/rtf.h"
#include "shippedfiles.h"
#include "zelkerror.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextDocument>
#include <optional>

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

// Beside the help file, what it was made from: the fingerprints of the manual and of the
// help file as it was written. A help file the treasurer has not changed is made again
// when a newer program brings a newer manual; one the treasurer edited is kept as it is,
// and so is one whose origin is not known.
QString originPath(const QString &helpFile)
{
    return helpFile + QStringLiteral(".bron");
}

QByteArray fingerprint(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

std::optional<QByteArray> bytesOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

// Whether the existing help file is the unchanged copy of an earlier manual.
bool unchangedCopyOfAnother(const QString &helpFile, const QByteArray &manual)
{
    const std::optional<QByteArray> origin = bytesOf(originPath(helpFile));
    const std::optional<QByteArray> help = bytesOf(helpFile);
    if (!origin || !help)
        return false;
    const QList<QByteArray> lines = origin->split('\n');
    return lines.size() >= 2 && lines[0] != fingerprint(manual) && lines[1] == fingerprint(*help);
}

void writeHelpFile(const QString &helpFile, const QString &manualName, const QByteArray &manual)
{
    if (manualName.endsWith(QLatin1String(".html"))) {
        QTextDocument doc;
        doc.setHtml(QString::fromUtf8(manual));
        rtf::writeFile(doc, helpFile);
    } else {
        saveFile(helpFile, manual);
    }
    if (const std::optional<QByteArray> written = bytesOf(helpFile)) {
        try {
            saveFile(originPath(helpFile), fingerprint(manual) + '\n' + fingerprint(*written) + '\n');
        } catch (const Error &) {
            // Without it the help file is only never refreshed.
        }
    }
}

} // namespace

bool seed(const QString &helpFile, const QString &givenManual)
{
    const QString manualName = givenManual.isEmpty() ? shippedfiles::manual() : givenManual;
    const std::optional<QByteArray> manual = bytesOf(manualName);
    if (!manual)
        return false;
    if (QFile::exists(helpFile) && !unchangedCopyOfAnother(helpFile, *manual))
        return false;
    try {
        writeHelpFile(helpFile, manualName, *manual);
    } catch (const Error &) {
        return false; // the viewer then creates an empty help file and reports its own failure
    }
    return true;
}

} // namespace zelk::helpfile
