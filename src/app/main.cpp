#include "formmain.h"
#include "prompts.h"
#include "qtprompts.h"

#include <QApplication>
#include <QDir>
#include <QFont>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("Noto Sans CJK SC"), 9));
    const QString folder = QCoreApplication::applicationDirPath();
    QDir::setCurrent(folder);

    QtPrompts prompts;
    FormMain form(folder, prompts);
    prompts.setParent(&form);
    QString error;
    if (!form.Form_Load(&error)) {
        prompts.message(QStringLiteral("数据库文件无法打开：%1\n%2")
                            .arg(QDir(folder).filePath(QStringLiteral("wobzel2011.db")), error),
                        FormMain::messageTitle(), MessageIcon::Information);
        return 1;
    }
    form.show();
    return app.exec();
}
