#pragma once

#include "codepickerset.h"

#include <QColor>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QVector>

struct EntryField;
struct CodePickerSpec;
class CodePicker;
class FieldBinder;
class Prompts;
class QKeyEvent;
class QLabel;
class RecordStore;

// The behaviour of every entry field of the five pages, as the page tables declare it: the
// caption lights up while the field has the focus, Enter and the arrow keys move on, digit
// fields take digits only, coded fields lay their picker over themselves, and a few fields
// check their text when they are left. Focus moves from outside the window (activation,
// message boxes, popups) run none of it, and neither does parking the focus before a page
// is hidden. At most one leave check refuses at a time, with one message.
class FieldBehaviour : public QObject
{
    Q_OBJECT

public:
    // The fields, their captions and the code pickers are those below `pages`; `focusPark` is
    // where the focus is parked before a page is hidden.
    FieldBehaviour(RecordStore &store, FieldBinder &binder, Prompts &prompts, QWidget &pages,
                   QWidget &focusPark, QObject *parent = nullptr);

    // The colour of a lit caption (or of a box that lights itself), and of one that is not.
    static QColor highlightColour();
    static QColor normalColour();

    // The eighteen code pickers of the pages.
    CodePickerSet &codePickers() { return m_pickers; }

    // Whether a row other than the current one holds this project number, compared by value.
    static bool numberInUse(const RecordStore &store, const QString &number);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Entry
    {
        const EntryField *field;
        QWidget *box;
        QLabel *label; // nullptr for a box that lights itself
        bool everLeft = false;
    };

    void gotFocus(Entry &entry);
    void lostFocus(Entry &entry, bool check);
    bool keyPress(Entry &entry, QKeyEvent *event);
    bool filterCharacter(const Entry &entry, QChar c) const;
    QString failedCheck(Entry &entry);
    void refuse(Entry &entry, const QString &message);
    void finishRefusal(QWidget *box, const QString &message);
    void listOpened(CodePicker *picker);
    void picked(CodePicker *picker, const QString &item);
    void light(Entry &entry, bool on);
    void moveTo(const char *target, QWidget *from);
    QWidget *fieldBox(const QString &code) const;
    QString text(const QString &code) const;
    void setText(const QString &code, const QString &text);

    RecordStore &m_store;
    FieldBinder &m_binder;
    Prompts &m_prompts;
    QWidget &m_focusPark;
    CodePickerSet m_pickers;
    QVector<Entry> m_entries;
    QHash<QObject *, int> m_byBox;
    QHash<QString, int> m_byCode;
    QPointer<QWidget> m_refusing;

    struct PickTarget
    {
        CodePicker *picker = nullptr;
        QString field;
        int row = -1;
    };
    PickTarget m_pick;
};
