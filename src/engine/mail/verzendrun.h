#pragma once
// The sending run of the e-mail editor ("Uitvoer" / "E-mailen") and of zelk-cli mail: the
// e-mail document once per member of the mailing selection (the member table as its filter
// shows it, in name order), merged with that member's data and sent as plain text to the
// member's own address; every message sent gets an entry in front of the sent-mail log.
//
// The run goes one member at a time so that a screen can show its progress, keep its window
// answering while the server is busy and stop before the next member:
//
//     Verzendrun run(data, document, onderwerp, instelling);
//     if (!run.begin()) return;              // no outgoing server: nothing is sent
//     while (!run.klaar()) {
//         Verzendstap stap = run.bereidVoor(); // merges, restores the document
//         if (stap.zonderAdres) { run.slaOver(); continue; }
//         verstuurStap(instelling, stap);      // may run on another thread; throws on failure
//         run.gelukt(stap);                    // logs it and moves on
//     }
//
// The document given is the editor's own: it is merged so that the body breaks its lines as
// the editor does, and put back from the print copy "tempprint.hlp" (the bytes written at
// begin(), so a copy removed or overwritten meanwhile cannot change it) before bereidVoor()
// returns (also when the merge throws), so the editor always ends with its placeholders and
// no member's data reaches a later message. Its "changed" mark stays as it was. A failed send logs nothing for that member;
// earlier members stay sent and logged.
#include "mail/mailbericht.h"
#include "mail/mailserverinstelling.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QTextDocument;

namespace zelk {
class DataModule1;
}

namespace zelk::mail {

// What a run needs beyond the document and the subject: the three e-mail settings of the
// administration, how to reach the server and the password of this program run.
struct Verzendinstelling {
    QString server;        // "E-mail account"; empty: the run sends nothing
    QString afzenderNaam;  // "Afzender naam"
    QString afzenderAdres; // "E-mail adres"
    MailserverInstelling verbinding;
    QString wachtwoord;
};

// The instelling of the administration open in `data` (instelling.dat and mailserver.txt),
// with `wachtwoord`.
Verzendinstelling verzendinstelling(const DataModule1 &data, const QString &wachtwoord);

// One member's turn.
struct Verzendstap {
    QString naam;            // the member's Naam
    QString adres;           // the member's Email as stored
    bool zonderAdres = true; // no "@" in the address: no message, no log entry
    QStringList regels;      // the merged body, one line per line of the editor
    QByteArray bericht;      // the whole message as the server gets it (mailbericht.h)
};

// Sends a prepared step. Touches no table and no document, so it may run on another thread.
// Returns the server's answer; throws zelk::Error with the server's or the connection's error.
QString verstuurStap(const Verzendinstelling &instelling, const Verzendstap &stap);

class Verzendrun {
public:
    Verzendrun(DataModule1 &data, QTextDocument &document, const QString &onderwerp, Verzendinstelling instelling);

    // Writes the unmerged document to "tempprint.hlp" (throws zelk::Error when it cannot be
    // written; nothing else happens then) and goes to the first member of the selection,
    // which it takes as the member table shows it now (the table's cursor stays where it is).
    // False when the outgoing server setting is empty: the run ends there, without a word.
    // Throws zelk::Error, sending nothing, when a server is set but the sender's address is not.
    bool begin();

    bool klaar() const;       // no current member left
    int aantalLeden() const;  // members in the selection
    int huidigNummer() const; // 1 for the first member, up to aantalLeden()

    // The current member's message: merged into the document, the lines taken as the editor
    // breaks them, the document restored. Does not move on.
    Verzendstap bereidVoor();
    // After the step was sent: puts its entry in front of the log (Datum and Tijd now) in one
    // transaction, and moves to the next member.
    void gelukt(const Verzendstap &stap);
    // Moves on without a message (a member without "@").
    void slaOver();

    int verzonden() const { return m_verzonden; }
    // Members passed over for lack of an address, in name order.
    const QStringList &zonderAdres() const { return m_zonderAdres; }

private:
    // A member of the selection as it stood when the run began.
    struct Lid {
        QString naam;
        QString adres;
        QStringList waarden; // for the twelve placeholders (vindtekst.h)
    };

    DataModule1 &m_data;
    QTextDocument &m_document;
    QString m_onderwerp;
    Verzendinstelling m_instelling;
    QByteArray m_printCopy; // the unmerged document as written to "tempprint.hlp"
    std::vector<Lid> m_leden;
    int m_huidig = 0;
    int m_verzonden = 0;
    QStringList m_zonderAdres;
};

// The body lines of `document` as its layout breaks them (one line per line of the editor
// showing it; a block not laid out yet is one line per paragraph), as plain text.
QStringList regelsVan(const QTextDocument &document);

} // namespace zelk::mail
