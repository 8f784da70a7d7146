// An engine error that no screen caught ends in the error box; the program goes on.
#include "core/application.h"
#include "zelkerror.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTest>

class TestApplication : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void anUncaughtErrorIsShownAndTheProgramGoesOn()
    {
        QPushButton button(QStringLiteral("Doorboeken"));
        int clicks = 0;
        connect(&button, &QPushButton::clicked, [&] {
            ++clicks;
            throw zelk::Error(QStringLiteral("De tabel journaal.db is niet geopend."));
        });
        button.show();
        QTest::mouseClick(&button, Qt::LeftButton);
        QTRY_VERIFY(qobject_cast<QMessageBox *>(QApplication::activeModalWidget()));
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QCOMPARE(box->text(), QStringLiteral("De tabel journaal.db is niet geopend."));
        box->accept();
        QTest::mouseClick(&button, Qt::LeftButton); // still alive and answering
        QCOMPARE(clicks, 2);
        if (auto *again = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            again->accept();
    }
};

int main(int argc, char **argv)
{
    zelk::Application app(argc, argv);
    TestApplication test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_application.moc"
