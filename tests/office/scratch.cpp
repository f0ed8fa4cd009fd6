#include "officeprocess.h"
#include "writerwordapp.h"
#include <QCoreApplication>
#include <QDebug>
#include <QThread>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    OfficeProcess process;
    WriterWordApp word(process);
    const QString help = QString::fromLocal8Bit(argv[1]);
    qDebug() << word.addDocument(help).text() << word.setVisible(true).text() << process.processId();
    QThread::sleep(2);
    qDebug() << "quit" << word.quit().text();
    QThread::sleep(3);
    qDebug() << "running" << process.isRunning() << process.processId() << word.isRunning();
    qDebug() << word.addDocument(help).text() << word.setVisible(true).text() << process.processId() << word.documentCount();
    QThread::sleep(6);
    qDebug() << "after user close" << word.addDocument(help).text() << word.setVisible(true).text() << process.processId() << word.documentCount();
    QThread::sleep(3);
    return 0;
}
