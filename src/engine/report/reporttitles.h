#pragma once
// The fixed title and footer texts of every report, kept in one place. A report's title
// line is its title followed by the association name; its footer line starts with the
// footer text. Blanks at the ends belong to the texts.
#include <QString>

namespace zelk::titles {

struct ReportTitle {
    QString unit;   // the report's unit name
    QString title;  // page header title line
    QString footer; // page footer text
    bool hasFooter = true;
};

// Member and dues reports.
inline const ReportTitle printleden{QStringLiteral("printleden"), QStringLiteral("Ledenlijst van "), QStringLiteral("Ledenlijst van")};
inline const ReportTitle ledenlijst03{QStringLiteral("ledenlijst03"), QStringLiteral("Ledenlijst van "), QStringLiteral("Ledenlijst van")};
inline const ReportTitle printledenall{QStringLiteral("printledenall"), QStringLiteral("Ledenlijst van "), QString(), false};
inline const ReportTitle printcontribut{QStringLiteral("printcontribut"), QStringLiteral("Overzicht contributies van"),
                                        QStringLiteral("Overzicht contributies van")};
// Chart of accounts.
inline const ReportTitle printrekeningen{QStringLiteral("printrekeningen"), QStringLiteral("Rekeningoverzicht van "),
                                         QStringLiteral("Rekeningoverzicht van ")};
// Overviews.
inline const ReportTitle printcontrijour{QStringLiteral("printcontrijour"), QStringLiteral("Overzicht journaal van"),
                                         QStringLiteral("Overzicht journaal van")};
inline const ReportTitle overzichtmutrekeningen{QStringLiteral("overzichtmutrekeningen"), QStringLiteral("Overzicht mutaties rekeningen :"),
                                                QStringLiteral("Overzicht mutaties rekeningen")};
inline const ReportTitle printbalans{QStringLiteral("printbalans"), QStringLiteral("Financieel overzicht van :"), QStringLiteral("Balans")};
inline const ReportTitle printteontvangen{QStringLiteral("printteontvangen"), QStringLiteral("Overzicht nog te ontvangen posten van :"),
                                          QStringLiteral("Overzicht openstaande posten")};
inline const ReportTitle printtebetalen{QStringLiteral("printtebetalen"), QStringLiteral("Overzicht nog te betalen posten van :"),
                                        QStringLiteral("Overzicht openstaande posten")};
inline const ReportTitle printbegroot{QStringLiteral("printbegroot"), QStringLiteral("Begroting komend boekjaar van :"),
                                      QStringLiteral("Begroting")};
inline const ReportTitle report1{QStringLiteral("report1"), QStringLiteral("Overzicht inkomsten/uitgaven van"),
                                 QStringLiteral("Overzicht van ")};

// Labels of the footer line and of the letter print's footer.
inline const QString dateLabel = QStringLiteral("Datum :");
inline const QString pageLabel = QStringLiteral("Blad :");
inline const QString letterPageLabel = QStringLiteral("Blad:");

} // namespace zelk::titles
