#include "messages.h"

#include "zelkerror.h"

#include <QMessageBox>

namespace zelk {

void showError(QWidget *parent, const QString &message)
{
    auto *box = new QMessageBox(QMessageBox::Critical, QStringLiteral("Fout"), message, QMessageBox::Ok, parent);
    box->setObjectName(QStringLiteral("foutmelding"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    box->open();
}

bool attempt(QWidget *parent, const std::function<void()> &action)
{
    try {
        action();
        return true;
    } catch (const std::exception &failure) {
        showError(parent, errorText(failure));
        return false;
    }
}

void showWarning(QWidget *parent, const QString &message)
{
    auto *box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Let op"), message, QMessageBox::Ok, parent);
    box->setObjectName(QStringLiteral("waarschuwing"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    box->open();
}

bool confirm(QWidget *parent, const QString &question)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Bevestiging"), question, QMessageBox::Yes | QMessageBox::No, parent);
    box.setObjectName(QStringLiteral("bevestiging"));
    box.setDefaultButton(QMessageBox::No);
    box.setButtonText(QMessageBox::Yes, QStringLiteral("&Ja"));
    box.setButtonText(QMessageBox::No, QStringLiteral("&Nee"));
    return box.exec() == QMessageBox::Yes;
}

QString errorText(const std::exception &error)
{
    if (const auto *own = dynamic_cast<const Error *>(&error))
        return own->message();
    return QStringLiteral("Onverwachte fout: ") + QString::fromUtf8(error.what());
}

void runGuarded(QWidget *where, const std::function<void()> &action)
{
    attempt(where, action);
}

} // namespace zelk
