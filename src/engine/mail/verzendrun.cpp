#include "verzendrun.h"

#include "../reports/papportstand.h" // the engine's own reports folder (the layer check reads "reports/" as a screen)
#include "databases.h"
#include "rtf/rtf.h"
#include "store/fieldlength.h"
#include "store/velden.h"
#include "vindtekst.h"
#include "zelkerror.h"

#include <QAbstractTextDocumentLayout>
#include <QDateTime>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>

namespace zelk::mail {

namespace {

const QString CrLf = QStringLiteral("\r\n");

// The text of one line as it goes into a plain-text body: pictures dropped, a hard space
// as a space, the line separator that ended it left off.
QString plainLine(QString text)
{
    text.remove(QChar::ObjectReplacementCharacter);
    text.replace(QChar::Nbsp, u' ');
    while (text.endsWith(QChar::LineSeparator))
        text.chop(1);
    return text;
}

// Puts the document back as the print copy has it when the member's turn ends, however it
// ends; the document's "changed" mark stays as the editor had it, so text not yet saved
// still counts as unsaved.
class DocumentRestore {
public:
    DocumentRestore(QTextDocument &document, const QByteArray &printCopy)
        : m_document(document), m_printCopy(printCopy), m_modified(document.isModified())
    {
    }
    ~DocumentRestore()
    {
        rtf::read(m_printCopy, &m_document); // never throws
        m_document.setModified(m_modified);
    }
    DocumentRestore(const DocumentRestore &) = delete;
    DocumentRestore &operator=(const DocumentRestore &) = delete;

private:
    QTextDocument &m_document;
    const QByteArray &m_printCopy;
    bool m_modified;
};

// The log's own filter (the log screen's) switched off while an entry is placed, so "in
// front" means in front of every entry, not of the first one the filter shows.
class UnfilteredLog {
public:
    explicit UnfilteredLog(Table &log) : m_log(log), m_filtered(log.isFiltered()) { m_log.setFiltered(false); }
    ~UnfilteredLog()
    {
        try {
            m_log.setFiltered(m_filtered);
        } catch (const Error &) {
            // The entry is stored or rolled back already; the filter is only how it shows.
        }
    }
    UnfilteredLog(const UnfilteredLog &) = delete;
    UnfilteredLog &operator=(const UnfilteredLog &) = delete;

private:
    Table &m_log;
    bool m_filtered;
};

} // namespace

Verzendinstelling verzendinstelling(const DataModule1 &data, const QString &wachtwoord)
{
    const Instelling &instelling = data.settings.instelling;
    Verzendinstelling result;
    result.server = instelling.smtpServer();
    result.afzenderNaam = instelling.afzenderNaam();
    result.afzenderAdres = instelling.emailAdres();
    result.verbinding = lees(data.werkmap());
    result.wachtwoord = wachtwoord;
    return result;
}

QString verstuurStap(const Verzendinstelling &instelling, const Verzendstap &stap)
{
    if (stap.zonderAdres)
        throw Error(QStringLiteral("%1 heeft geen e-mailadres; er is niets verstuurd.").arg(stap.naam));
    return verstuur(verbinding(instelling.server, instelling.verbinding, instelling.wachtwoord), instelling.afzenderAdres, stap.adres,
                    stap.bericht);
}

Verzendrun::Verzendrun(DataModule1 &data, QTextDocument &document, const QString &onderwerp, Verzendinstelling instelling)
    : m_data(data), m_document(document), m_onderwerp(onderwerp), m_instelling(std::move(instelling))
{
}

bool Verzendrun::begin()
{
    m_leden.clear();
    m_huidig = 0;
    m_verzonden = 0;
    m_zonderAdres.clear();
    m_printCopy = rtf::write(m_document);
    rtf::writeFile(m_document, papportstand::printCopyPath(m_data)); // the letter print's copy, the same file
    if (m_instelling.server.trimmed().isEmpty())
        return false;
    if (!m_instelling.afzenderAdres.contains(u'@'))
        throw Error(QStringLiteral("Er is nog geen e-mailadres van de afzender ingevuld bij \"E-mail adres\"; er is niets verstuurd."));

    // The selection as it stands now, read without moving the member table's cursor: the
    // screens keep showing the member they showed.
    const Table &leden = m_data.ledentabel;
    const int naam = leden.fieldIndex(veld::leden::Naam);
    const int email = leden.fieldIndex(veld::leden::Email);
    for (int row = 0; row < leden.recordCount(); ++row) {
        Lid lid;
        lid.naam = leden.valueAt(row, naam).toString();
        lid.adres = leden.valueAt(row, email).toString();
        lid.waarden = memberValues([&leden, row](QStringView field) { return leden.valueAt(row, field); });
        m_leden.push_back(std::move(lid));
    }
    return true;
}

bool Verzendrun::klaar() const
{
    return m_huidig >= aantalLeden();
}

int Verzendrun::aantalLeden() const
{
    return static_cast<int>(m_leden.size());
}

int Verzendrun::huidigNummer() const
{
    return std::min(m_huidig + 1, aantalLeden());
}

Verzendstap Verzendrun::bereidVoor()
{
    if (klaar())
        throw Error(QStringLiteral("Er is geen lid meer om een e-mail aan te versturen."));
    const Lid &lid = m_leden[static_cast<size_t>(m_huidig)];
    Verzendstap stap;
    stap.naam = lid.naam;
    stap.adres = lid.adres;
    stap.zonderAdres = !lid.adres.contains(u'@');
    if (stap.zonderAdres)
        return stap;

    DocumentRestore restore(m_document, m_printCopy);
    mergeMember(m_document, lid.waarden);
    stap.regels = regelsVan(m_document);
    Bericht bericht;
    bericht.afzenderNaam = m_instelling.afzenderNaam;
    bericht.afzenderAdres = m_instelling.afzenderAdres;
    bericht.ontvanger = lid.adres;
    bericht.onderwerp = m_onderwerp;
    bericht.regels = stap.regels;
    bericht.datum = QDateTime::currentDateTime();
    stap.bericht = opgemaakt(bericht);
    return stap;
}

void Verzendrun::gelukt(const Verzendstap &stap)
{
    using namespace veld::mailtjes;
    Table &log = m_data.mailtjestabel;
    const TableSchema &schema = log.schema();
    auto cut = [&schema, &log](QStringView field, const QString &text) {
        return fieldlength::fitting(text, schema.fields[static_cast<size_t>(log.fieldIndex(field))].size);
    };
    const QDateTime now = QDateTime::currentDateTime();
    {
        UnfilteredLog unfiltered(log);
        // Beginning the transaction rereads the log when another program changed it, so the
        // entry goes in front of the entries as the file has them.
        Transaction transaction(m_data.database1());
        try {
            log.first();
            log.insert(); // before the current row, the first: the newest entry comes first
            log.setValue(Mnaam, cut(Mnaam, stap.naam));
            log.setValue(Datum, now.date());
            log.setValue(Tijd, now.time());
            log.setValue(Madres, cut(Madres, stap.adres));
            log.setValue(Monderwerp, cut(Monderwerp, schoneHeadertekst(m_onderwerp))); // as it was sent
            log.setValue(Mmail, stap.regels.join(CrLf));
            log.post();
        } catch (const Error &) {
            log.cancel(); // the unfinished entry is dropped, never left for a later post
            throw;
        }
        transaction.commit();
    }
    ++m_verzonden;
    ++m_huidig;
}

void Verzendrun::slaOver()
{
    if (klaar())
        return;
    const Lid &lid = m_leden[static_cast<size_t>(m_huidig)];
    if (!lid.adres.contains(u'@'))
        m_zonderAdres << lid.naam;
    ++m_huidig;
}

QStringList regelsVan(const QTextDocument &document)
{
    if (document.isEmpty())
        return {};
    // The layout the editor made, when there is one (it is the document's child); asking
    // documentLayout() would make one for a document no editor shows.
    auto *layout = document.findChild<QAbstractTextDocumentLayout *>(QString(), Qt::FindDirectChildrenOnly);
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        if (layout)
            layout->blockBoundingRect(block); // finishes a layout the editor does bit by bit
        const QTextLayout *blockLayout = block.layout();
        if (layout && blockLayout && blockLayout->lineCount() > 0) {
            for (int i = 0; i < blockLayout->lineCount(); ++i) {
                const QTextLine line = blockLayout->lineAt(i);
                QString part = text.mid(line.textStart(), line.textLength());
                const bool hardBreak = part.endsWith(QChar::LineSeparator) || i == blockLayout->lineCount() - 1;
                part = plainLine(part);
                if (!hardBreak)
                    while (part.endsWith(u' ')) // the blank where the editor wrapped the line
                        part.chop(1);
                lines << part;
            }
            continue;
        }
        for (const QString &part : text.split(QChar::LineSeparator))
            lines << plainLine(part);
    }
    return lines;
}

} // namespace zelk::mail
