#include "formmain.h"
#include "programrun.h"
#include "qtprompts.h"
#include "qttranslations.h"

#include <QApplication>
#include <QDir>
#include <QFont>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    installQtChineseTranslations(app);
    QApplication::setFont(QFont(QStringLiteral("Noto Sans CJK SC"), 9));
    const QString folder = QCoreApplication::applicationDirPath();
    QDir::setCurrent(folder);

    QtPrompts prompts;
    ProgramRun run(folder, prompts);
    prompts.setParent(&run.window());
    if (!run.start())
        return 1;
    return app.exec();
}
