// The program's dialogs as its users see them: Qt's own buttons and labels in Chinese.
#include "qtprompts.h"
#include "qttranslations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

namespace {

QStringList textsOf(const QList<QAbstractButton *> &buttons)
{
    QStringList texts;
    for (const QAbstractButton *button : buttons)
        texts << button->text().remove(QLatin1Char('&'));
    texts.sort();
    return texts;
}

template <typename Dialog>
Dialog *openDialog()
{
    return qobject_cast<Dialog *>(QApplication::activeModalWidget());
}

// Runs `look` on the dialog once it is open; `look` must close it.
template <typename Dialog>
void whenOpen(const std::function<void(Dialog *)> &look)
{
    QTimer::singleShot(0, qApp, [look] {
        QTRY_VERIFY(openDialog<Dialog>());
        look(openDialog<Dialog>());
    });
}

} // namespace

class TestQtPrompts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(installQtChineseTranslations(*qApp)); }
    void messageBoxesSpeakChinese();
    void fileDialogsSpeakChinese();
};

void TestQtPrompts::messageBoxesSpeakChinese()
{
    QtPrompts prompts;
    QStringList seen;
    const auto readAndPress = [&seen](QMessageBox::StandardButton answer) {
        return [&seen, answer](QMessageBox *box) {
            seen << textsOf(box->buttons()).join(QLatin1Char(' '));
            QTest::mouseClick(box->button(answer), Qt::LeftButton);
        };
    };
    whenOpen<QMessageBox>(readAndPress(QMessageBox::Ok));
    prompts.message(QStringLiteral("数据提交失败！"), QStringLiteral("提交数据"),
                    MessageIcon::Information, QStringLiteral("磁盘已满"));
    whenOpen<QMessageBox>(readAndPress(QMessageBox::Cancel));
    QVERIFY(!prompts.askOkCancel(QStringLiteral("删除吗？"), QStringLiteral("删除")));
    whenOpen<QMessageBox>(readAndPress(QMessageBox::Yes));
    QVERIFY(prompts.askYesNo(QStringLiteral("请指定文件名！！"), QStringLiteral("数据追加")));
    QCOMPARE(seen, QStringList({QStringLiteral("显示详情... 确定"), QStringLiteral("取消 确定"),
                                QStringLiteral("否(N) 是(Y)")}));
}

void TestQtPrompts::fileDialogsSpeakChinese()
{
    QTemporaryDir dir;
    QtPrompts prompts;
    QStringList buttons;
    QStringList labels;
    whenOpen<QFileDialog>([&](QFileDialog *dialog) {
        buttons = textsOf(dialog->findChild<QDialogButtonBox *>()->buttons());
        for (const QLabel *label : dialog->findChildren<QLabel *>())
            labels << label->text().remove(QLatin1Char('&'));
        QLineEdit *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QTest::keyClicks(name, QStringLiteral("result.Txt"));
        QTest::keyClick(name, Qt::Key_Return);
    });
    const QString chosen = prompts.saveFileName(
        {dir.path(), QStringLiteral("Txt (*.Txt)"), QStringLiteral("保存审核结果")});
    QCOMPARE(chosen, QDir(dir.path()).filePath(QStringLiteral("result.Txt")));
    QCOMPARE(buttons, QStringList({QStringLiteral("保存(S)"), QStringLiteral("取消")}));
    labels.sort();
    QCOMPARE(labels, QStringList({QStringLiteral("文件名称(N)："), QStringLiteral("文件类型："),
                                  QStringLiteral("查找范围：")}));
}

QTEST_MAIN(TestQtPrompts)
#include "tst_qtprompts.moc"
