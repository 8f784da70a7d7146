#include "vertaling.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace zelk {

bool installDutchQtTranslations()
{
    // qtbase holds the texts of the dialogs and standard buttons the program uses.
    auto *translator = new QTranslator(QCoreApplication::instance());
    const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
    if (!translator->load(dutch, QStringLiteral("qtbase"), QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        qWarning("Zelk: Qt's Dutch translations (qtbase_nl.qm) are not installed; Qt's own dialogs stay in English.");
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

} // namespace zelk
