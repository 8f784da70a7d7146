#pragma once
// DataModule1: the one owner of every table object and of the connection to the current
// administration. Screens and reports share its table objects and their current rows.
#include "settingsfiles.h"
#include "store/connection.h"
#include "store/table.h"
#include "zelkerror.h"

#include <QObject>
#include <memory>
#include <utility>

namespace zelk {

class WriterLock;

// A settings file could not be read; the program goes on with defaults for that file.
class SettingsError : public Error {
public:
    using Error::Error;
};

class DataModule1 : public QObject {
    Q_OBJECT
public:
    explicit DataModule1(QObject *parent = nullptr);
    ~DataModule1() override;

    // A writer (the desktop program, a changing zelk-cli command) holds the writer lock of
    // the administrations root from connecting until it is destroyed; a second writer is
    // refused at connecting. A reader takes the lock only while it opens, when free, to
    // create what is missing; otherwise it opens what is there and writes nothing.
    enum class Access { Write, Read };
    void setAccess(Access access) { m_access = access; }
    Access access() const { return m_access; }

    Table ledentabel;
    Table rekeningtabel;
    Table journaaltabel;
    Table betalentabel;
    Table ontvangentabel;
    Table mailtjestabel;
    Table hulpT;
    Table ledennew;
    Table mailnew;

    // Settings of the current administration as last read.
    Settings settings;

    // "Database1": connects to the administration the alias names, creating the alias,
    // the folder and its empty tables on the first start. Connected stays connected.
    // When the alias names no usable folder, the standard administration is opened and
    // notice() says why.
    void connectDatabase();
    void disconnectDatabase(); // closes every table first
    bool isConnected() const { return m_connection != nullptr; }
    Connection &database1();

    // Why the last connect opened another administration than the alias names (Dutch),
    // for the caller to show once; empty otherwise. takeNotice() returns and clears it.
    QString notice() const { return m_notice; }
    QString takeNotice() { return std::exchange(m_notice, QString()); }

    // The current administration folder, without and with a trailing separator.
    QString werkmap() const { return m_werkmap; }
    QString werkmapMetScheiding() const { return m_werkmap.isEmpty() ? QString() : m_werkmap + u'/'; }

    // Opens the given tables (already open ones stay as they are). A table reads its rows
    // when they are first needed, so opening costs little whatever the tables hold.
    void openTables(std::initializer_list<Table *> tables);
    // What the main menu does each time it shows, without the screen: opens every table,
    // reads the settings and completes the chart (counting its rows in the file). A
    // settings file that cannot be read does not stop it: everything is opened, then its
    // SettingsError is thrown.
    void openForUse();
    // After the table files were replaced (a restore, a safety copy put back): opens them
    // again as openForUse does and tells every screen through administrationChanged, also
    // when a settings file cannot be read, whose SettingsError is thrown after that.
    void reopenReplaced();
    // All tables the program keeps open, in their start-up order.
    void openAll();
    // Posts pending rows and closes every table, in the closing order of the program.
    // A pending row that cannot be stored is dropped and its error thrown at the end.
    void closeAll();

    // Where a missing logonaam.dat gets its default path from.
    enum class LogoDefault { Werkmap, Programma };
    // Reads the association name and the three settings files of werkmap, creating missing
    // files with defaults, and applies the amount format. When a file cannot be read, the
    // others are still read and the program goes on with defaults for that one; the first
    // such error is thrown at the end.
    void readSettings(LogoDefault logoDefault = LogoDefault::Werkmap);
    void writeInstelling();
    void writeKonfigur();
    void writeLogonaam(const QString &path);
    void setVerenigingsnaam(const QString &name);

    // Adds the standard accounts a chart lacks, so that it has exactly 37 rows, counting
    // the rows in the file inside the writing transaction. Returns the number added (0 for
    // a reader that could not take the writer lock).
    int completeChart();

    // The journal number of the last journal row, 0 for an empty journal. Leaves the
    // journal's cursor where it is and its rows unread when they are not read yet.
    qint64 lastJournalNumber();

    // Switches to administration `item` (0-4): closes the tables, points the alias at the
    // item's folder, reopens the tables there and rereads its settings.
    void switchAdministration(int item);

Q_SIGNALS:
    void administrationChanged(const QString &werkmap);

private:
    void installJournalLookups();
    bool maySetUp() const { return m_access == Access::Write || m_lock; }
    Access m_access = Access::Write;
    std::shared_ptr<WriterLock> m_lock;
    std::unique_ptr<Connection> m_connection;
    QString m_werkmap;
    QString m_notice;
};

} // namespace zelk
