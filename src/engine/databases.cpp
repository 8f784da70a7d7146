#include "databases.h"

#include "administraties.h"
#include "amountformat.h"
#include "rekeningschema.h"
#include "store/tableschema.h"
#include "store/velden.h"
#include "writerlock.h"
#include "zelkerror.h"

#include <QFileInfo>
#include <QThread>
#include <cmath>
#include <optional>

namespace zelk {

DataModule1::DataModule1(QObject *parent)
    : QObject(parent),
      ledentabel(QStringLiteral("ledentabel"), schemas::leden(), this),
      rekeningtabel(QStringLiteral("rekeningtabel"), schemas::rekeningen(), this),
      journaaltabel(QStringLiteral("journaaltabel"), schemas::journaal(), this),
      betalentabel(QStringLiteral("betalentabel"), schemas::tebetalen(), this),
      ontvangentabel(QStringLiteral("ontvangentabel"), schemas::teontvangen(), this),
      mailtjestabel(QStringLiteral("mailtjestabel"), schemas::mailtjes(), this),
      hulpT(QStringLiteral("hulpT"), schemas::hulp(), this),
      ledennew(QStringLiteral("ledennew"), schemas::ledennew(), this),
      mailnew(QStringLiteral("mailnew"), schemas::mailtjesnew(), this)
{
    setObjectName(QStringLiteral("DataModule1"));
    ontvangentabel.setFiltered(true);
    mailtjestabel.setFiltered(true);
    ledennew.setFiltered(true);
    mailnew.setFiltered(true);
    installJournalLookups();
}

DataModule1::~DataModule1()
{
    try {
        closeAll();
    } catch (const Error &) {
        // Nothing to report to at this point; the pending row was not stored.
    }
}

void DataModule1::installJournalLookups()
{
    // "van" and "naar": the number of the account that carries the row's account name now.
    auto numberOf = [this](int nameField) {
        return [this, nameField](const Table::Values &row) -> QVariant {
            const QString name = row.value(nameField).toString();
            if (!rekeningtabel.isOpen())
                return {};
            for (int i = 0; i < rekeningtabel.recordCount(); ++i)
                if (rekeningtabel.valueAt(i, 1).toString() == name)
                    return rekeningtabel.valueAt(i, 0);
            return {};
        };
    };
    journaaltabel.addLookup(QStringLiteral("van"), numberOf(schemas::journaal().indexOf(veld::journaal::Vanrekening)));
    journaaltabel.addLookup(QStringLiteral("naar"), numberOf(schemas::journaal().indexOf(veld::journaal::Naarrekening)));
}

void DataModule1::connectDatabase()
{
    if (m_connection)
        return;
    if (m_access == Access::Write)
        m_lock = WriterLock::acquire();
    else if (!m_lock)
        m_lock = WriterLock::tryAcquire();
    if (!maySetUp()) {
        // Another program is writing: open what is there, create nothing.
        QString problem;
        const QString named = administraties::aliasExists() ? administraties::aliasFolder(&problem) : QString();
        const QString folder = named.isEmpty() ? administraties::folder(0) : named;
        m_connection = std::make_unique<Connection>(folder);
        m_werkmap = m_connection->folder();
        m_notice = problem;
        return;
    }
    const administraties::Opening current = administraties::openCurrent();
    m_connection = std::make_unique<Connection>(current.folder);
    m_werkmap = m_connection->folder();
    m_notice = current.notice;
}

void DataModule1::disconnectDatabase()
{
    auto connection = std::move(m_connection); // gone afterwards, also when closing reports an error
    closeAll();
}

Connection &DataModule1::database1()
{
    if (!m_connection)
        throw Error(QStringLiteral("De tabellen zijn niet geopend."));
    return *m_connection;
}

void DataModule1::openTables(std::initializer_list<Table *> tables)
{
    connectDatabase();
    for (Table *table : tables)
        table->open(*m_connection);
}

void DataModule1::openAll()
{
    openTables({&ledentabel, &rekeningtabel, &journaaltabel, &ontvangentabel, &betalentabel, &hulpT, &mailtjestabel});
}

void DataModule1::reopenReplaced()
{
    std::optional<SettingsError> settingsError;
    try {
        openForUse();
    } catch (const SettingsError &e) {
        settingsError = e;
    }
    Q_EMIT administrationChanged(werkmap());
    if (settingsError)
        throw *settingsError;
}

void DataModule1::openForUse()
{
    openTables({&ledentabel, &rekeningtabel});
    std::optional<Error> settingsError;
    try {
        readSettings();
    } catch (const Error &e) {
        settingsError = e;
    }
    completeChart();
    openAll();
    if (m_access == Access::Read)
        m_lock.reset(); // opened: a reader holds no lock while it reads
    if (settingsError)
        throw SettingsError(settingsError->message());
}

void DataModule1::closeAll()
{
    // Every table is closed even when a pending row cannot be stored; the first such
    // error is reported afterwards.
    std::optional<Error> firstError;
    for (Table *table : {&ledentabel, &rekeningtabel, &journaaltabel, &mailtjestabel, &ontvangentabel}) {
        try {
            table->flush();
        } catch (const Error &e) {
            if (!firstError)
                firstError = e;
        }
    }
    for (Table *table :
         {&ledentabel, &rekeningtabel, &journaaltabel, &ontvangentabel, &betalentabel, &mailtjestabel, &hulpT, &ledennew, &mailnew})
        table->close();
    if (firstError)
        throw *firstError;
}

void DataModule1::readSettings(LogoDefault logoDefault)
{
    std::optional<Error> firstError;
    auto attempt = [&](auto &&read) {
        try {
            read();
        } catch (const Error &e) {
            if (!firstError)
                firstError = e;
        }
    };
    settings.verenigingsnaam.clear();
    attempt([&] { settings.verenigingsnaam = settingsfiles::readVerenigingsnaam(m_werkmap); });
    settings.instelling = Instelling();
    settings.logonaam = Logonaam();
    settings.konfigur = Konfigur();
    attempt([&] { settings.instelling = settingsfiles::readInstelling(m_werkmap); });
    settings.printLogo = settings.instelling.printLogo();
    settings.logoLinks = settings.instelling.logoLinks();
    settings.logoRechts = settings.instelling.logoRechts();
    // After a switch a new administration takes the logo beside the program, when one was
    // installed there; otherwise its own, which every administration gets when it is made.
    const QString programLogo = administraties::programBase() + QStringLiteral("logo.jpg");
    const QString logo
        = logoDefault == LogoDefault::Programma && QFileInfo::exists(programLogo) ? programLogo : settingsfiles::defaultLogoPath(m_werkmap);
    attempt([&] { settings.logonaam = settingsfiles::readLogonaam(m_werkmap, logo); });
    settings.logoPad = settings.logonaam.path();
    attempt([&] { settings.konfigur = settingsfiles::readKonfigur(m_werkmap); });
    AmountFormat::applyDutch(settings.konfigur.nederlandseBedragen());
    if (firstError)
        throw *firstError;
}

void DataModule1::writeInstelling()
{
    settingsfiles::write(m_werkmap, settings.instelling);
}

void DataModule1::writeKonfigur()
{
    settingsfiles::write(m_werkmap, settings.konfigur);
}

void DataModule1::writeLogonaam(const QString &path)
{
    Logonaam record(path);
    settingsfiles::write(m_werkmap, record);
    settings.logonaam = record;
    settings.logoPad = record.path();
}

void DataModule1::setVerenigingsnaam(const QString &name)
{
    settingsfiles::writeVerenigingsnaam(m_werkmap, name);
    settings.verenigingsnaam = settingsfiles::readVerenigingsnaam(m_werkmap);
}

int DataModule1::completeChart()
{
    openTables({&rekeningtabel});
    if (!maySetUp())
        return 0;
    if (rekeningschema::aanvulling(rekeningtabel.totalCount()).isEmpty())
        return 0; // complete: nothing to write (also on a full disk)
    // Counted again inside the transaction, which first rereads a chart another program
    // changed: programs starting at the same moment never add the missing accounts twice.
    Transaction transaction(*m_connection);
    const QStringList missing = rekeningschema::aanvulling(rekeningtabel.totalCount());
    if (missing.isEmpty()) {
        transaction.commit();
        return 0;
    }
    for (const QString &name : missing) {
        rekeningtabel.append();
        rekeningtabel.setValue(veld::rekeningen::Naam, name);
        rekeningtabel.setValue(veld::rekeningen::Saldo, 0.0);
        rekeningtabel.post();
    }
    transaction.commit();
    rekeningtabel.first();
    return static_cast<int>(missing.size());
}

qint64 DataModule1::lastJournalNumber()
{
    openTables({&journaaltabel});
    // Read from the file's last row when the journal's rows are not read: the main menu
    // shows it at every start, whatever the size of the journal.
    const QVariant number = journaaltabel.lastValue(veld::journaal::JrNr);
    return number.isValid() ? std::llround(number.toDouble()) : 0;
}

void DataModule1::switchAdministration(int item)
{
    administraties::choose(item); // first: when it cannot be made, nothing changes
    // A pending row that cannot be stored does not stop the switch; it is reported after.
    std::optional<Error> unsaved;
    try {
        closeAll();
    } catch (const Error &e) {
        unsaved = e;
    }
    QThread::msleep(100);
    m_connection.reset();
    m_werkmap.clear();
    QThread::msleep(400);
    openTables({&ledentabel, &rekeningtabel, &journaaltabel, &ontvangentabel, &betalentabel, &mailtjestabel, &hulpT});
    completeChart();
    Q_EMIT administrationChanged(m_werkmap);
    readSettings(LogoDefault::Programma);
    if (unsaved)
        throw *unsaved;
}

} // namespace zelk
