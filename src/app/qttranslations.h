#pragma once

class QCoreApplication;

// Qt's own texts (the buttons of message boxes, the file dialogs, the input box) in Chinese,
// whatever the environment's locale: the program speaks no other language, and its users know
// these buttons as 确定, 取消, 是, 否. False, after logging why, when Qt's Chinese translations
// are not installed: those texts then stay in English.
bool installQtChineseTranslations(QCoreApplication &application);
