#include "messages.h"

#include "zelkerror.h"

#include <QMessageBox>

namespace zelk {

namespace {
// A box that does not wait for its OK, so the steps around it go on.
void openBox(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &objectName, const QString &message)
{
    auto *box = new QMessageBox(icon, title, message, QMessageBox::Ok, parent);
    box->setObjectName(objectName);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    box->open();
}
} // namespace

void showError(QWidget *parent, const QString &message)
{
    openBox(parent, QMessageBox::Critical, QStringLiteral("Fout"), QStringLiteral("foutmelding"), message);
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
    openBox(parent, QMessageBox::Warning, QStringLiteral("Let op"), QStringLiteral("waarschuwing"), message);
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
